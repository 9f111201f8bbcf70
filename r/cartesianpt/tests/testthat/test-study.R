# The study table: the core's cells from each parameter's result, the same
# from files and from a long data frame, and its files.

example_files <- function() file.path(example_dir(), c("Maize.txt", "Sorghum.txt", "Wheat.txt"))

two_parameter_study <- function(...) {
  study_table(list(r = example_files(), r_arcsine = cartesian_test(read_bootstrap(example_files()),
                                                                  transformation = "arcsine")), ...)
}

test_that("the tidy rows carry each run's estimate, SE and letters, in the core's cells", {
  table <- two_parameter_study()
  expect_named(table, c("parameter", "treatment", "n", "B", "estimate", "SE", "letters", "cell"))
  expect_identical(unique(table$parameter), c("r", "r_arcsine"))
  result <- cartesian_test(read_bootstrap(example_files()))
  rows <- table[table$parameter == "r", ]
  at <- match(rows$treatment, result$treatments$name)
  expect_identical(rows$estimate, result$treatments$estimate[at])
  expect_identical(rows$SE, result$treatments$SE[at])
  expect_identical(rows$letters, result$treatments$letters[at])
  expect_identical(rows$cell[rows$treatment == "Maize"], "0.1512 \u00b1 0.0059 a")
})

test_that("digits and order reach the core", {
  table <- two_parameter_study(order = c("Wheat", "Maize", "Sorghum"), digits = 3)
  expect_identical(table$treatment[table$parameter == "r"], c("Wheat", "Maize", "Sorghum"))
  expect_identical(table$cell[table$parameter == "r" & table$treatment == "Maize"], "0.15120 \u00b1 0.00588 a")
})

test_that("a long data frame with a parameter column gives the table of the files", {
  treatments <- read_bootstrap(example_files())
  long <- do.call(rbind, lapply(treatments, function(t) {
    data.frame(parameter = "r", treatment = t$name, value = t$values, n = t$n, estimate = t$estimate)
  }))
  from_frame <- study_table(long)
  from_files <- study_table(list(r = example_files()))
  expect_identical(as.data.frame(unclass(from_frame))[1:8], as.data.frame(unclass(from_files))[1:8])
})

test_that("write_study_table writes each format, chosen by the extension or the argument", {
  table <- two_parameter_study()
  dir <- new_dir()
  magic <- list(csv = as.raw(c(0xef, 0xbb, 0xbf)), xlsx = charToRaw("PK"), docx = charToRaw("PK"),
                html = charToRaw("<!DOCTYPE html>"), tex = charToRaw("% "), md = charToRaw("|"))
  for (format in names(magic)) {
    path <- write_study_table(table, file.path(dir, paste0("by-extension.", format)))
    start <- file_bytes(path)[seq_along(magic[[format]])]
    expect_identical(start, magic[[format]], label = format)
  }
  named <- write_study_table(table, file.path(dir, "table.txt"), format = "md")
  expect_identical(file_bytes(named), file_bytes(file.path(dir, "by-extension.md")))
  csv <- readLines(file.path(dir, "by-extension.csv"), encoding = "UTF-8", warn = FALSE)
  expect_length(csv, 1L + nrow(table))
})

test_that("a study table that cannot be written leaves nothing and says so", {
  table <- two_parameter_study()
  dir <- file.path(new_dir(), "no such folder")
  expect_error(write_study_table(table, file.path(dir, "t.csv")), class = "cpt_input_error")
  expect_false(dir.exists(dir))
})

test_that("plot draws the table's estimates, SEs and letters in its order", {
  table <- two_parameter_study(order = c("Wheat", "Maize", "Sorghum"))
  grDevices::pdf(NULL)
  on.exit(grDevices::dev.off())
  for (style in c("bars", "points")) {
    shown <- plot(table, style = style)
    expect_identical(shown$parameter, table$parameter)
    expect_identical(shown$treatment, table$treatment)
    expect_identical(shown$at, match(table$treatment, c("Wheat", "Maize", "Sorghum")))
    expect_identical(shown$estimate, table$estimate)
    expect_identical(shown$SE, table$SE)
    expect_identical(shown$letters, table$letters)
  }
})
