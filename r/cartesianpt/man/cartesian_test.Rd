\name{cartesian_test}
\alias{cartesian_test}
\alias{print.cartesian_test}
\alias{summary.cartesian_test}
\alias{print.summary.cartesian_test}
\alias{as.data.frame.cartesian_test}
\alias{plot.cartesian_test}
\title{The Cartesian Paired Test}
\description{
  Compares 2 to 26 treatments by every difference between the bootstrap
  values of every pair of them, with the numbers \command{cpt cartesian}
  gives for the same values and options.
}
\usage{
cartesian_test(x, data = NULL, reversed = FALSE,
               transformation = c("none", "arcsine", "logit"),
               sample_size = NULL, estimate = NULL, code = NULL, threads = NULL)

\method{print}{cartesian_test}(x, ...)
\method{summary}{cartesian_test}(object, ...)
\method{as.data.frame}{cartesian_test}(x, row.names = NULL, optional = FALSE, ...)
\method{plot}{cartesian_test}(x, y, ..., main = NULL, ylab = NULL, las = graphics::par("las"))
}
\arguments{
  \item{x}{the treatments: \code{\link{read_bootstrap}} treatments, the
    paths of bootstrap files or tables (read as \code{\link{read_bootstrap}}
    reads them, with \code{sample_size}, \code{estimate} and \code{code}
    for what a table lacks), a named
    list of numeric vectors, a matrix or data frame with one column per
    treatment (shorter columns filled up with \code{NA} at their end), or a
    formula \code{value ~ treatment} over the long data frame \code{data},
    or a \code{\link{life_table}} result (the treatments of the parameter
    \code{code}, by default \code{"r"}, as its bootstrap files read).
    For a result's methods: a \code{cartesian_test} result.}
  \item{data}{the long data frame of a formula \code{x}: one row per
    bootstrap value.}
  \item{reversed}{\code{TRUE} orders the treatments by ascending mean.}
  \item{transformation}{applied to every bootstrap value before the test:
    \code{"arcsine"} (of the square root, for proportions) or
    \code{"logit"}, named in full. Files are read again with it, as
    \command{cpt} reads them.}
  \item{sample_size, estimate}{where \code{x} has none (vectors, matrices,
    data frames, tables): numeric vectors named by treatment, the sample
    size of each treatment's full sample and its estimate of the parameter.
    One unnamed sample size is that of every treatment not named.}
  \item{code}{the parameter's code (as \code{"r"}) for values without one;
    by default the formula's response, else \code{"value"}. For a
    \code{\link{life_table}} result, the parameter taken.}
  \item{threads}{how many threads the test may use; by default 2.}
  \item{object}{a \code{cartesian_test} result.}
  \item{row.names, optional}{as for \code{\link{as.data.frame}}.}
  \item{y}{not used.}
  \item{main, ylab}{the figure's title and axis label.}
  \item{las}{the style of both axes' labels, as in \code{\link[graphics]{par}};
    \code{las = 2} turns the treatments' names upright.}
  \item{...}{passed on to \code{\link[graphics]{plot.default}} by \code{plot}.}
}
\details{
  The differences of a pair are always those of the treatment with the
  larger bootstrap mean minus the other. A difference counts as significant
  when it lies strictly between 0 and twice the observed difference of the
  bootstrap means; the P value is the share of the others. Pairs of up to
  9,000,005 differences are worked out difference by difference; larger
  ones exactly from the sorted samples and exact sums.
}
\value{
  A list of class \code{cartesian_test}:
  \item{treatments}{a data frame in mean order (descending; \code{reversed}:
    ascending): \code{number}, \code{name}, \code{code}, \code{n},
    \code{B}, \code{estimate} (full sample), \code{mean} (bootstrap mean),
    \code{SE} (bootstrap standard deviation), \code{letters} (\code{NA} when
    the groups of similar treatments outnumber the 52 letters).}
  \item{pairs}{a data frame of every pair: \code{first}, \code{second}
    (numbers of the treatments), \code{first_name}, \code{second_name},
    \code{mean_difference} and \code{sd} (of the Cartesian differences),
    \code{t_lower}, \code{t_upper}, \code{percentile_lower},
    \code{percentile_upper} (95\% intervals), \code{significant},
    \code{not_significant} (counts of differences) and \code{p_value}.}
  \item{anova}{a list of \code{F} (\code{NA} when the within-groups mean
    square is 0), \code{df_between} and \code{df_within}.}
  \item{sidak_alpha}{the Sidak-corrected alpha for the number of pairs.}
  \item{parameter, reversed, transformation}{what was tested, and how.}
  The result also keeps the C++ result and its input, for
  \code{\link{write_report}} and \code{\link{study_table}}; after
  \code{saveRDS} and \code{readRDS} these run the test again.

  \code{plot} draws the bootstrap means with the 2.5\% and 97.5\%
  percentiles of each treatment's own bootstrap values (the value at rank
  \code{round(B * f + 0.5)}) and the letters, and returns those numbers
  invisibly as a data frame. \code{as.data.frame} gives the treatments.
}
\section{Errors}{
  Treatments the test cannot take (fewer than 2 or more than 26, fewer than
  2 values, a missing value, a value outside the transformation's range, a
  treatment without a sample size or an estimate) are errors of class
  \code{cpt_input_error}. An interrupt stops the test with a condition of
  class \code{interrupt} (and \code{cpt_interrupt}), no error: \code{try()}
  lets it pass, so a loop of tests stops at it.
}
\seealso{\code{\link{read_bootstrap}}, \code{\link{write_report}}, \code{\link{study_table}}}
\examples{
files <- system.file("extdata", c("Maize.txt", "Sorghum.txt", "Wheat.txt"),
                     package = "cartesianpt")
result <- cartesian_test(read_bootstrap(files))
result
result$pairs

## The same values from R: a long data frame and a formula.
treatments <- read_bootstrap(files)
long <- data.frame(r = unlist(lapply(treatments, `[[`, "values"), use.names = FALSE),
                   crop = rep(names(treatments), each = 200))
again <- cartesian_test(r ~ crop, data = long,
                        sample_size = sapply(treatments, `[[`, "n"),
                        estimate = sapply(treatments, `[[`, "estimate"))
identical(again$pairs$p_value, result$pairs$p_value)
plot(again)
}
\keyword{htest}
