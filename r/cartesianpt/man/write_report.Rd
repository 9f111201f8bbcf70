\name{write_report}
\alias{write_report}
\title{Write the Report of a Cartesian Paired Test}
\description{
  Writes the report file of a result, byte for byte the file \command{cpt
  cartesian} writes for the same treatments, options and time: the
  confidence intervals of every pair, the analysis of variance, the
  triangle tables and the letter table.
}
\usage{
write_report(result, dir = ".", code = NULL, fixed_time = NULL, differences = FALSE)
}
\arguments{
  \item{result}{a \code{\link{cartesian_test}} result.}
  \item{dir}{the folder to write into; it must exist.}
  \item{code}{the report name's code: \code{NULL} or \code{"1"} names it by
    the date and time, any other code is kept with a random number.}
  \item{fixed_time}{\code{"YYYY-MM-DD HH:MM:SS"}: the report's stamps and
    name take this moment, so the file is the same on every run (as
    \command{cpt --fixed-time}). \code{NULL}: the moments the test began and
    ended.}
  \item{differences}{\code{TRUE} also writes the six files that list every
    difference of each pair. They are written while the test runs, so the
    test runs again (and, without \code{fixed_time}, the stamps are of that
    run).}
}
\value{
  The path of the report; with \code{differences = TRUE} the attribute
  \code{"difference_files"} holds the paths of the difference files.
}
\details{
  A report never replaces a file: a taken name gets \dQuote{ (2)},
  \dQuote{ (3)}, \ldots before its \file{.txt}. A report or difference file
  that cannot be written leaves nothing behind and is an error of class
  \code{cpt_input_error}. Pairs of more than 9,000,005 differences have no
  difference files; \code{differences = TRUE} is then refused.
}
\seealso{\code{\link{cartesian_test}}}
\examples{
files <- system.file("extdata", c("Maize.txt", "Wheat.txt"), package = "cartesianpt")
result <- cartesian_test(read_bootstrap(files))
out <- tempfile("report-")
dir.create(out)
path <- write_report(result, out, fixed_time = "2026-12-09 22:32:02")
basename(path)
cat(readLines(path)[30:40], sep = "\n")
}
