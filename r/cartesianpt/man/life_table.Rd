\name{life_table}
\alias{life_table}
\alias{write_bootstrap}
\alias{print.cpt_life_table}
\title{Life Tables of a Cohort's Daily Records, Bootstrapped}
\description{
  Each treatment's life table and its estimates of \eqn{r}, \eqn{\lambda},
  \eqn{R_0}, \eqn{T} and GRR, with \code{bootstrap} replicates of each, as
  \command{cpt life-table} makes them: the same draws, the same values to the
  bit. \code{write_bootstrap} writes \command{cpt life-table}'s files byte for
  byte: per treatment and parameter a bootstrap result file, and per
  treatment its life table. \code{\link{cartesian_test}} and
  \code{\link{study_table}} take the result directly.
}
\usage{
life_table(x, bootstrap = 100000, seed = 1, cohort = "all", female_offspring = 1,
           zero_offspring = "refuse", threads = 0)
write_bootstrap(result, dir = ".")
\method{print}{cpt_life_table}(x, ...)
}
\arguments{
  \item{x}{the records: a data frame with the columns of a records file
    (long: \code{treatment} (optional), \code{individual}, \code{age},
    \code{eggs}, \code{sex} (optional); wide: \code{individual}, \code{sex}
    (optional) and the ages \code{1}, \code{2}, ...; aggregate: \code{age},
    \code{lx}, \code{mx}), or the paths of records files (.csv, .tsv, text
    tables, .xlsx). Without a treatment column a data frame is one treatment
    named \code{x}. For \code{print}, a \code{life_table} result.}
  \item{bootstrap}{the replicates \eqn{B} per treatment, at least 2.}
  \item{seed}{the seed \eqn{S}: treatment \eqn{t} draws from a 64-bit
    Mersenne Twister seeded \eqn{S + t - 1}.}
  \item{cohort}{\code{"all"} individuals, or the \code{"females"}.}
  \item{female_offspring}{the female share \eqn{s} of the offspring,
    \eqn{0 < s \le 1}.}
  \item{zero_offspring}{replicates without offspring have no \eqn{r} and
    \eqn{T}: \code{"refuse"} leaves those parameters' files unwritten,
    \code{"drop"} writes them from the other replicates.}
  \item{threads}{threads for the replicates; 0 takes every core. The
    values do not depend on it.}
  \item{result}{a \code{life_table} result.}
  \item{dir}{the folder for the files; a name already taken gets
    \dQuote{ (2)}, \dQuote{ (3)}, ...: no file is replaced.}
  \item{...}{ignored.}
}
\value{
  \code{life_table}: a list of class \code{cpt_life_table} with
  \code{estimates} (a data frame of \code{treatment}, \code{n}, \code{r},
  \code{lambda}, \code{R0}, \code{T}, \code{GRR}), \code{bootstrap} (one row
  per replicate: \code{treatment}, \code{replicate} and the five parameters,
  \code{NA} where a replicate has no value) and \code{life_table}
  (\code{treatment}, \code{age}, \code{N}, \code{lx}, \code{E}, \code{mx},
  \code{lxmx}). An aggregate table gives estimates only. \code{write_bootstrap}:
  the paths written, invisibly.

  Bad input is an error of class \code{cpt_input_error} with
  \command{cpt}'s message; an interrupt stays an interrupt.
}
\seealso{\code{\link{cartesian_test}}, \code{\link{study_table}}}
\examples{
records <- data.frame(
  treatment = rep(c("A", "B"), c(7, 5)),
  individual = c("a1", "a1", "a1", "a2", "a2", "a2", "a3", "b1", "b1", "b2", "b2", "b2"),
  age = c(1, 2, 3, 1, 2, 3, 1, 1, 2, 1, 2, 3),
  eggs = c(0, 3, 5, 0, 2, 1, 4, 0, 6, 1, 0, 2))
result <- life_table(records, bootstrap = 200, threads = 1)
result$estimates
head(result$bootstrap)
dir <- tempfile()
dir.create(dir)
basename(write_bootstrap(result, dir))
cartesian_test(result, code = "R0")
study_table(result)
}
