# write_report() writes cpt's report byte for byte (reports/ holds the ones
# cpt wrote with --fixed-time; a built cpt, when CPT_BINARY names one, is
# run as well).

report_cases <- Filter(function(case) !is.na(case$report_name), cpt_expected)
report_code <- function(case) if (grepl("_2026129-22322.txt$", case$report_name)) NULL else "trial"

for (name in names(report_cases)) {
  test_that(sprintf("the report of '%s' is cpt's, name and bytes", name), {
    case <- report_cases[[name]]
    dir <- new_dir()
    path <- write_report(run_case(case), dir, code = report_code(case), fixed_time = cpt_fixed_time)
    expect_identical(basename(path), case$report_name)
    expect_identical(file_bytes(path), file_bytes(test_path("reports", paste0(name, ".txt"))))
  })
}

test_that("the report equals the one a built cpt writes now", {
  skip_if(cpt_binary() == "", "no built cpt (CPT_BINARY)")
  for (case in report_cases) {
    ours <- new_dir()
    theirs <- new_dir()
    path <- write_report(run_case(case), ours, code = report_code(case), fixed_time = cpt_fixed_time)
    options <- c(if (case$reversed) "--reversed", if (case$transformation != "none")
                   c("--transformation", case$transformation), "--code", report_code(case) %||% "1")
    run <- run_cpt(c("-C", theirs, "--fixed-time", cpt_fixed_time, options, file.path(example_dir(), case$files)))
    expect_identical(run$status, 0L)
    expect_identical(file_bytes(path), file_bytes(file.path(theirs, basename(path))))
  }
})

test_that("a result saved and loaded again writes the same report", {
  case <- cpt_expected$entry_order
  saved <- tempfile(fileext = ".rds")
  saveRDS(run_case(case), saved)
  path <- write_report(readRDS(saved), new_dir(), fixed_time = cpt_fixed_time)
  expect_identical(file_bytes(path), file_bytes(test_path("reports", "entry_order.txt")))
})

test_that("the difference files are cpt's, names and MD5 sums", {
  dir <- new_dir()
  result <- cartesian_test(read_bootstrap(file.path(example_dir(), cpt_difference_files$files)))
  path <- write_report(result, dir, fixed_time = cpt_fixed_time, differences = TRUE)
  written <- c(path, attr(path, "difference_files"))
  expect_identical(basename(written), cpt_difference_files$names)
  expect_identical(unname(tools::md5sum(written)), cpt_difference_files$md5)
  expect_setequal(list.files(dir), cpt_difference_files$names)
})

test_that("without a fixed time the report carries the stamps of the run that made the result", {
  result <- run_case(cpt_expected$entry_order)
  lines <- readLines(write_report(result, new_dir()))
  expect_true(paste0("Cartesian paired test began at:", attr(result, "run")$began) %in% lines)
  expect_true(paste0("Cartesian paired test ended at:", attr(result, "run")$ended) %in% lines)
})

test_that("a report that cannot be written is an input error and leaves nothing", {
  result <- run_case(cpt_expected$entry_order)
  missing <- file.path(new_dir(), "no such folder")
  expect_error(write_report(result, missing, fixed_time = cpt_fixed_time), class = "cpt_input_error")
  expect_false(dir.exists(missing))
  for (differences in c(FALSE, TRUE)) {
    expect_error(write_report(result, missing, differences = differences),
                 sprintf("The report cannot be written into %s: the folder does not exist.", missing), fixed = TRUE,
                 class = "cpt_input_error")
  }
  dir <- new_dir()
  # No file system takes a name this long.
  expect_error(write_report(result, dir, fixed_time = cpt_fixed_time, differences = TRUE, code = strrep("x", 300)),
               "difference files of this run have been removed", class = "cpt_input_error")
  expect_identical(list.files(dir), character())
  expect_error(write_report(result, dir, fixed_time = "yesterday"),
               'fixed_time expects a date and time as 2026-12-09 22:32:02, not "yesterday".', fixed = TRUE,
               class = "cpt_input_error")
})
