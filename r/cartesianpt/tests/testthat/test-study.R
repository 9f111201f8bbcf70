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

test_that("a table of some parameters is written as given; one changed otherwise is refused", {
  table <- two_parameter_study()
  dir <- new_dir()
  subset <- table[table$parameter == "r_arcsine", ]
  written <- write_study_table(subset, file.path(dir, "subset.csv"))
  alone <- write_study_table(study_table(list(r_arcsine = cartesian_test(read_bootstrap(example_files()),
                                                                         transformation = "arcsine"))),
                             file.path(dir, "alone.csv"))
  expect_identical(file_bytes(written), file_bytes(alone))
  csv <- readLines(written, encoding = "UTF-8", warn = FALSE)
  expect_length(csv, 1L + nrow(subset))
  # The parameters in the order given.
  swapped <- rbind(table[table$parameter == "r_arcsine", ], table[table$parameter == "r", ])
  rows <- readLines(write_study_table(swapped, file.path(dir, "swapped.md")), encoding = "UTF-8", warn = FALSE)
  expect_identical(substr(grep("^\\| r", rows, value = TRUE), 1L, 5L), c("| r\\_", "| r |"))

  renamed <- table
  names(renamed)[names(renamed) == "cell"] <- "value"
  changed <- table
  changed$letters[1L] <- "z"
  for (given in list(table[-1L, ], renamed, changed, table[table$treatment != "Wheat", ])) {
    expect_error(write_study_table(given, file.path(dir, "changed.csv")), "table is not as study_table() made it",
                 fixed = TRUE, class = "cpt_input_error")
  }
  expect_false(file.exists(file.path(dir, "changed.csv")))
})

test_that("an unknown extension or format, or a missing folder, is refused by name", {
  table <- two_parameter_study()
  dir <- new_dir()
  expect_error(write_study_table(table, file.path(dir, "x.pdf")),
               'A study table is written as csv, xlsx, html, tex, md, docx; the extension of "x.pdf" names none',
               fixed = TRUE, class = "cpt_input_error")
  expect_error(write_study_table(table, file.path(dir, "x.csv"), format = "c"),
               "format must be one of csv, xlsx, html, tex, md, docx.", fixed = TRUE, class = "cpt_input_error")
  expect_identical(list.files(dir, all.files = TRUE, no.. = TRUE), character())
  missing <- file.path(dir, "no such folder")
  expect_error(write_study_table(table, file.path(missing, "t.csv")),
               sprintf("the folder %s does not exist.", missing), fixed = TRUE, class = "cpt_input_error")
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
