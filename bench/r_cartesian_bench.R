# Times cartesian_test() in R, the conversion from R vectors included:
# 4 treatments of B = 3000 (goal: at most 0.2 s) and of B = 1,000,000
# (goal: at most 3 s).
#
#     Rscript bench/r_cartesian_bench.R [LIBRARY]
arguments <- commandArgs(TRUE)
library(cartesianpt, lib.loc = if (length(arguments)) arguments[1] else NULL)

treatments <- function(b) {
  set.seed(20261209)
  means <- c(0.150, 0.139, 0.137, 0.120)
  values <- lapply(means, function(m) rnorm(b, m, 0.006))
  names(values) <- c("Maize", "Sorghum", "Wheat", "Rice")
  values
}

time_of <- function(b, repeats) {
  values <- treatments(b)
  sizes <- setNames(rep(60, 4), names(values))
  estimates <- sapply(values, mean)
  seconds <- vapply(seq_len(repeats), function(i) {
    system.time(cartesian_test(values, sample_size = sizes, estimate = estimates, code = "r"))[["elapsed"]]
  }, 0)
  median(seconds)
}

for (run in list(list(b = 3000, repeats = 5, goal = 0.2), list(b = 1e6, repeats = 3, goal = 3))) {
  seconds <- time_of(run$b, run$repeats)
  cat(sprintf("cartesian_test, 4 x %s values: %.3f s (median of %d; goal %.1f s)%s\n",
              format(run$b, big.mark = ",", scientific = FALSE), seconds, run$repeats, run$goal,
              if (seconds > run$goal) "  OVER THE GOAL" else ""))
}
