# How a result of the package is held against cpt's numbers: every double
# bit for bit. Also sourced by scripts/r-compare-cpt.R.

example_dir <- function() system.file("extdata", package = "cartesianpt")

run_case <- function(case, dir = example_dir()) {
  treatments <- read_bootstrap(file.path(dir, case$files))
  cartesian_test(treatments, reversed = case$reversed, transformation = case$transformation)
}

# Each differing column as "treatments$mean: 0x1.8p-3 instead of 0x1.9p-3";
# none when the result is cpt's.
cpt_mismatches <- function(result, expected) {
  shown <- function(x) if (is.double(x)) sprintf("%a", x) else format(x)
  differing <- function(label, got, want) {
    if (identical(got, want)) return(character())
    sprintf("%s: %s instead of %s", label, paste(shown(got), collapse = " "), paste(shown(want), collapse = " "))
  }
  found <- character()
  for (column in names(expected$treatments)) {
    found <- c(found, differing(paste0("treatments$", column), result$treatments[[column]],
                                expected$treatments[[column]]))
  }
  for (column in names(expected$pairs)) {
    found <- c(found, differing(paste0("pairs$", column), result$pairs[[column]], expected$pairs[[column]]))
  }
  for (part in c("F", "df_between", "df_within")) {
    found <- c(found, differing(paste0("anova$", part), result$anova[[part]], expected[[part]]))
  }
  c(found, differing("sidak_alpha", result$sidak_alpha, expected$sidak_alpha))
}

# The path of a built cpt, or "" when there is none to compare with.
cpt_binary <- function() {
  path <- Sys.getenv("CPT_BINARY")
  if (nzchar(path) && file.exists(path)) path else ""
}

# Runs cpt cartesian; its standard error and exit status.
run_cpt <- function(arguments) {
  errors <- tempfile()
  on.exit(unlink(errors))
  status <- system2(cpt_binary(), c("cartesian", shQuote(arguments)), stdout = FALSE, stderr = errors)
  list(status = status, messages = paste(readLines(errors, warn = FALSE), collapse = "\n"))
}

file_bytes <- function(path) readBin(path, "raw", file.size(path))
