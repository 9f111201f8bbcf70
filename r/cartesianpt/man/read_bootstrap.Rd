\name{read_bootstrap}
\alias{read_bootstrap}
\alias{print.cpt_treatments}
\alias{[.cpt_treatments}
\title{Read Bootstrap Result Files and Tables}
\description{
  Reads the treatments of bootstrap result files and tables, with the
  readers of \command{cpt cartesian}: every form gives the treatments the
  same values give in bootstrap result files.
}
\usage{
read_bootstrap(paths, sheet = NULL, parameter = NULL, sample_size = NULL,
               estimate = NULL)
}
\arguments{
  \item{paths}{the files, in the order the test is to take their
    treatments.}
  \item{sheet}{for \file{.xlsx} workbooks: the name of the sheet to read;
    \code{NULL}: the first.}
  \item{parameter}{for tables: the parameter code of a table without a
    parameter column (by default the file's name without its extension,
    as \code{"r"} for \file{r.csv}), or the one parameter to take from a
    long table of several.}
  \item{sample_size}{for tables without a column \code{n}: the sample
    sizes, whole numbers named by treatment, as
    \code{c(Maize = 60, Wheat = 58)}; an unnamed number is that of every
    treatment not named. A table's own column comes first.}
  \item{estimate}{for tables without a column \code{estimate}: the
    full-sample estimates, numbers named by treatment.}
}
\details{
  The forms, each decided by the file's first line and its extension:
  \describe{
    \item{bootstrap result files}{one treatment each: the eight heading
      fields (name, sample size, B, the parameter's code and its
      full-sample estimate), then the B bootstrap values, ended after B
      values or by a \code{-1}. UTF-8 (with or without a byte-order mark) or
      UTF-16, and with semicolons and decimal commas as a European
      spreadsheet writes them.}
    \item{wide tables}{\file{.csv}, \file{.tsv} or a text file whose first
      line names the treatments: one column per treatment, its name in the
      first row and its bootstrap values below (shorter columns end
      early). A first column without a name (row names, as
      \code{\link[utils]{write.csv}} writes them) is skipped. Commas, tabs
      or semicolons (with decimal commas) separate the cells.}
    \item{long tables}{one row per bootstrap value, with the columns
      \code{treatment} and \code{value}, and where the table has them
      \code{parameter}, \code{n} and \code{estimate} (names in any case,
      columns in any order).}
    \item{workbooks}{\file{.xlsx}: a sheet holding a wide or a long table.}
  }
  A table without \code{n} or \code{estimate} needs \code{sample_size} and
  \code{estimate}; a name in them must name a treatment of the files.

  The mean that orders the treatments is kept as \code{ordering_mean}: when
  a bootstrap result file holds a value after the B-th one, that value B + 1
  counts in it, as it does in \command{cpt}, and
  \code{\link{cartesian_test}} orders by it. With a transformation,
  \code{\link{cartesian_test}} reads the files again as they were read here.
}
\value{
  A list of class \code{cpt_treatments}, named by treatment, each a list of
  \code{name}, \code{code} (the parameter), \code{n} (sample size),
  \code{estimate}, \code{values} (the B bootstrap values),
  \code{ordering_mean}, \code{transformation}, \code{source} (the file, or
  for a table the column or treatment of the file, as \command{cpt} names
  it) and \code{file} (the file's absolute path). Subsetting with \code{[}
  keeps the class.
}
\section{Errors}{
  A file that cannot be read or used is an error of class
  \code{cpt_input_error} naming the file and the place (field, row and
  column, or cell), with the text of \command{cpt}; where a table lacks a
  sample size or an estimate, the message names the treatment and
  \command{cpt}'s option (\option{--sample-size}, \option{--estimate}),
  whose part here \code{sample_size} and \code{estimate} play.
}
\seealso{\code{\link{cartesian_test}}, \code{\link{study_table}} (a long
  table of several parameters)}
\examples{
## Bootstrap result files, one treatment each.
files <- system.file("extdata", c("Maize.txt", "Wheat.txt"), package = "cartesianpt")
treatments <- read_bootstrap(files)
treatments
treatments$Maize$n
summary(treatments$Maize$values)

## A wide table (one column per crop) gives no sample sizes or estimates.
wide <- system.file("extdata", "r.csv", package = "cartesianpt")
readLines(wide, n = 3)
r <- read_bootstrap(wide, sample_size = c(Maize = 60, Sorghum = 55, Wheat = 58),
                    estimate = c(Maize = 0.1512, Sorghum = 0.1389, Wheat = 0.1371))
cartesian_test(r)

## A long table of two parameters with n and estimate: take one of them.
long <- system.file("extdata", "life_table.csv", package = "cartesianpt")
readLines(long, n = 3)
lambda <- read_bootstrap(long, parameter = "lambda")
lambda

## What a table lacks is an error of class cpt_input_error.
tryCatch(read_bootstrap(wide), cpt_input_error = conditionMessage)
}
