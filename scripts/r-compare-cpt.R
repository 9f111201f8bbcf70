# Runs the freshly built cpt and the installed R package on the example
# files and compares every number of cpt's --json document, bit for bit.
#
#     Rscript scripts/r-compare-cpt.R CPT LIBRARY
#
# Prints "N passed, M failed" and exits 1 on any difference.
arguments <- commandArgs(TRUE)
cpt <- normalizePath(arguments[1])
library(cartesianpt, lib.loc = arguments[2])
here <- normalizePath(file.path(dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE))), ".."))
source(file.path(here, "r/cartesianpt/tests/testthat/helper-compare.R"))

# cpt's numbers now, with its doubles as hexadecimal literals (the Python
# reader is exact where R's decimal one is not).
fresh <- tempfile("cpt-expected-")
dir.create(fresh)
status <- system2("python3", c(shQuote(file.path(here, "scripts/r-cpt-expectations.py")), shQuote(cpt),
                               shQuote(file.path(here, "examples")), shQuote(fresh)))
if (status != 0) stop("cpt did not run on the examples")
source(file.path(fresh, "helper-cpt-expected.R"))

passed <- 0L
failed <- 0L
for (name in names(cpt_expected)) {
  case <- cpt_expected[[name]]
  found <- cpt_mismatches(run_case(case, file.path(here, "examples")), case)
  if (!is.na(case$report_name)) {
    dir <- tempfile("cpt-report-")
    dir.create(dir)
    code <- if (grepl("_2026129-22322.txt$", case$report_name)) NULL else "trial"
    path <- write_report(run_case(case, file.path(here, "examples")), dir, code = code, fixed_time = cpt_fixed_time)
    if (basename(path) != case$report_name) found <- c(found, sprintf("report name %s", basename(path)))
    cpt_report <- file.path(fresh, "reports", paste0(name, ".txt"))
    if (!identical(file_bytes(path), file_bytes(cpt_report))) found <- c(found, "report bytes differ")
  }
  if (length(found)) {
    failed <- failed + 1L
    cat(sprintf("FAILED %s:\n  %s\n", name, paste(found, collapse = "\n  ")))
  } else {
    passed <- passed + 1L
    cat(sprintf("ok %s\n", name))
  }
}
cat(sprintf("%d passed, %d failed\n", passed, failed))
quit(status = if (failed) 1L else 0L)
