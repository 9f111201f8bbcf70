\name{read_bootstrap}
\alias{read_bootstrap}
\alias{print.cpt_treatments}
\alias{[.cpt_treatments}
\title{Read Bootstrap Result Files}
\description{
  Reads one bootstrap result file per treatment, as \command{cpt} does: the
  eight heading fields (name, sample size, B, the parameter's code and its
  full-sample estimate), then the B bootstrap values, ended after B values
  or by a \code{-1}.
}
\usage{
read_bootstrap(paths, sheet = NULL, parameter = NULL, sample_size = NULL,
               estimate = NULL)
}
\arguments{
  \item{paths}{the files, one treatment each, in the order the test is to
    take them.}
  \item{sheet}{for workbooks: the sheet to read. Bootstrap result files
    have none.}
  \item{parameter}{for tables: the column of the parameter. Bootstrap
    result files hold one parameter.}
  \item{sample_size, estimate}{for tables without them: numeric vectors
    named by treatment. A bootstrap result file gives both in its heading.}
}
\details{
  Only bootstrap result files are read so far; \code{sheet},
  \code{parameter}, \code{sample_size} and \code{estimate} are passed on for
  the readers of tables and workbooks.

  The mean that orders the treatments is kept as \code{ordering_mean}: when
  a file holds a value after the B-th one, that value B + 1 counts in it, as
  it does in \command{cpt}, and \code{\link{cartesian_test}} orders by it.
}
\value{
  A list of class \code{cpt_treatments}, named by treatment, each a list of
  \code{name}, \code{code} (the parameter), \code{n} (sample size),
  \code{estimate}, \code{values} (the B bootstrap values),
  \code{ordering_mean}, \code{transformation} and \code{source} (the file).
  Subsetting with \code{[} keeps the class.
}
\section{Errors}{
  A file that cannot be read or is not a bootstrap result file is an error
  of class \code{cpt_input_error} naming the file and the field, with the
  text of \command{cpt}.
}
\seealso{\code{\link{cartesian_test}}}
\examples{
files <- system.file("extdata", c("Maize.txt", "Wheat.txt"), package = "cartesianpt")
treatments <- read_bootstrap(files)
treatments
treatments$Maize$n
summary(treatments$Maize$values)
}
