# Every form of file the readers take gives the treatments, and the test, of
# the same values in described files (helper-forms.R).

forms_expected <- function() read_bootstrap(described_files(new_dir()))

# What a file says of its treatments, without where it came from; what a
# test gives of them.
read_content <- function(treatments) {
  lapply(unclass(treatments), function(t) t[c("name", "code", "n", "estimate", "values", "transformation")])
}

test_numbers <- function(treatments) unclass(cartesian_test(treatments))[c("treatments", "pairs", "anova", "sidak_alpha")]

test_that("tables, workbooks, UTF-16 and semicolon files give the described files' treatments and test", {
  expected <- forms_expected()
  sizes <- vapply(expected, `[[`, 0L, "n")
  estimates <- vapply(expected, `[[`, 0, "estimate")
  cases <- list(
    "wide csv" = list(files = function(dir) write_bytes(dir, "r.csv", utf8_bytes(wide_lines()))),
    "wide csv, one sample size for the rest" = list(
      files = function(dir) write_bytes(dir, "r.csv", utf8_bytes(wide_lines())),
      sample_size = c(sizes[1], unname(sizes[2]))),
    "wide semicolon csv, decimal commas" = list(
      files = function(dir) write_bytes(dir, "r.csv", utf8_bytes(wide_lines(";", decimal_commas)))),
    "wide tsv in UTF-16" = list(files = function(dir) write_bytes(dir, "r.tsv", utf16le_bytes(wide_lines("\t")))),
    "long csv of two parameters" = list(files = function(dir) write_bytes(dir, "x.csv", utf8_bytes(long_lines())),
                                        parameter = "r", sample_size = NULL, estimate = NULL),
    "xlsx, a sheet by name" = list(files = function(dir) fixture("r.xlsx"), sheet = "r values"),
    "described, UTF-16" = list(files = function(dir) described_files(dir, function(t) utf16le_bytes(described_lines(t)))),
    "described, semicolons and decimal commas" = list(
      files = function(dir) described_files(dir, function(t) utf8_bytes(described_lines(t, ";")))))
  for (form in names(cases)) {
    case <- cases[[form]]
    # Tables without n and estimate get them from the arguments.
    arguments <- modifyList(list(sample_size = sizes, estimate = estimates), case[-1L], keep.null = TRUE)
    if (grepl("^described", form)) arguments <- list()
    read <- do.call(read_bootstrap, c(list(case$files(new_dir())), arguments))
    expect_identical(read_content(read), read_content(expected), label = form)
    expect_identical(test_numbers(read), test_numbers(expected), label = form)
  }
})

test_that("the example tables give cpt's numbers of the example files, transformed as cpt reads them", {
  described <- read_bootstrap(file.path(example_dir(), c("Maize.txt", "Sorghum.txt", "Wheat.txt")))
  wide <- read_bootstrap(file.path(example_dir(), "r.csv"), sample_size = vapply(described, `[[`, 0L, "n"),
                         estimate = vapply(described, `[[`, 0, "estimate"))
  # Only r: a transformation is applied to every value of a long table, of
  # each parameter, and lambda's lie beyond the arcsine's range.
  lines <- readLines(file.path(example_dir(), "life_table.csv"))
  long <- read_bootstrap(write_bytes(new_dir(), "long.csv", utf8_bytes(c(lines[1L], grep("^r,", lines, value = TRUE)))))
  for (table in list(wide = wide, long = long)) {
    for (case in cpt_expected[c("entry_order", "arcsine")]) {
      result <- cartesian_test(table, transformation = case$transformation)
      expect_identical(cpt_mismatches(result, case), character(), label = case$transformation)
    }
  }
})

test_that("a table's treatments keep their file, and the source names the column", {
  path <- file.path(example_dir(), "r.csv")
  read <- read_bootstrap(path, sample_size = 50, estimate = c(Maize = 0.15, Sorghum = 0.14, Wheat = 0.13))
  expect_identical(unname(vapply(read, `[[`, "", "file")), rep(normalizePath(path), 3L))
  expect_identical(read$Sorghum$source, sprintf('column "Sorghum" of %s', normalizePath(path)))
  expect_identical(unname(vapply(read, `[[`, 0L, "n")), rep(50L, 3L))
})

test_that("a study of a long table of several parameters takes each of them", {
  table <- study_table(file.path(example_dir(), "life_table.csv"))
  expect_identical(unique(table$parameter), c("r", "lambda"))
  from_files <- study_table(list(r = file.path(example_dir(), c("Maize.txt", "Sorghum.txt", "Wheat.txt"))))
  expect_identical(as.data.frame(unclass(table))[table$parameter == "r", ], as.data.frame(unclass(from_files)))
  expect_error(study_table(list(both = file.path(example_dir(), "life_table.csv"))),
               'The files of "both" hold the parameters r, lambda', fixed = TRUE, class = "cpt_input_error")
})
