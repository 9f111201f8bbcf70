\name{cartesianpt-package}
\alias{cartesianpt-package}
\alias{cartesianpt}
\docType{package}
\title{Cartesian Paired Test of Bootstrap Life-Table Parameters}
\description{
  The Cartesian paired test compares the bootstrap results of 2 to 26
  treatments for one life-table parameter, such as the intrinsic rate of
  increase \eqn{r}. For every pair of treatments it forms every difference
  between a bootstrap value of the one and a bootstrap value of the other
  (the Cartesian product, \eqn{B_1 B_2} differences), counts those that show
  a significant difference, and gives t and percentile confidence intervals
  of the differences and a P value. A one-way analysis of variance, the
  Sidak-corrected alpha and letters that mark treatments no two of which
  differ complete the result.

  The package runs the same C++ core as the batch program \command{cpt}:
  every number is the double \command{cpt cartesian --json} prints, and
  \code{\link{write_report}} writes its report file byte for byte.
}
\details{
  \tabular{ll}{
    \code{\link{read_bootstrap}} \tab reads bootstrap result files, tables (.csv, .tsv, .xlsx) \cr
    \code{\link{cartesian_test}} \tab runs the test on files, vectors or data frames \cr
    \code{\link{write_report}} \tab writes \command{cpt}'s report (and the difference files) \cr
    \code{\link{study_table}} \tab the table of a study: parameters by treatments, \dQuote{estimate \eqn{\pm} SE letters} \cr
    \code{\link{write_study_table}} \tab that table as CSV, Excel, HTML, TeX, Markdown or Word \cr
  }
  Errors in the input are R errors of class \code{cpt_input_error} (all the
  package's errors are of class \code{cpt_error}) with the text
  \command{cpt} gives for the same input.
}
\references{
  Efron B., Tibshirani R.J. (1993) \emph{An Introduction to the Bootstrap}.
  Chapman & Hall, New York.

  Huang Y.B., Chi H. (2012) Age-stage, two-sex life tables of
  \emph{Bactrocera cucurbitae} (Coquillett) (Diptera: Tephritidae) with a
  discussion on the problem of applying female age-specific life tables to
  insect populations. \emph{Insect Science} 19: 263--273.
}
\examples{
## A whole study, from the bootstrap files to the table of the paper.

## 1. The example files: three crops, 200 bootstrap values of r each.
files <- system.file("extdata", c("Maize.txt", "Sorghum.txt", "Wheat.txt"),
                     package = "cartesianpt")
r <- read_bootstrap(files)
r

## 2. The Cartesian paired test of r, its summary and its figure.
result <- cartesian_test(r)
result
summary(result)
plot(result)

## 3. The report file, as cpt writes it (here into a temporary folder).
out <- tempfile("study-")
dir.create(out)
report <- write_report(result, out, fixed_time = "2026-12-09 22:32:02")
head(readLines(report), 40)

## 4. A second parameter of the same cohorts, given as values in R: here
##    the finite rate of increase lambda = exp(r) of each bootstrap sample.
lambda <- lapply(r, function(t) exp(t$values))
lambda_result <- cartesian_test(lambda, code = "lambda",
                                sample_size = sapply(r, `[[`, "n"),
                                estimate = sapply(r, function(t) exp(t$estimate)))
lambda_result$pairs[c("first_name", "second_name", "mean_difference",
                      "percentile_lower", "percentile_upper", "p_value")]

## 5. The study table of both parameters, and its files.
table <- study_table(list(r = result, lambda = lambda_result))
table
write_study_table(table, file.path(out, "study-table.csv"))
write_study_table(table, file.path(out, "study-table.md"))
writeLines(readLines(file.path(out, "study-table.md"), encoding = "UTF-8"))
}
\keyword{package}
\keyword{htest}
