# Bad input is an R error of class cpt_input_error with cpt's text, never a
# crash.

# Files as a user gets them wrong: none there, fewer values than B, a word
# for a value.
bad_files <- function(dir) {
  write <- function(name, lines) {
    path <- file.path(dir, name)
    writeLines(lines, path)
    path
  }
  list(missing = file.path(dir, "none.txt"),
       few_values = write("Few.txt", c('"Few","Sample size",10,"Bootstrap number",5,"r",10,0.2', "0.1", "0.2", "-1")),
       text_value = write("Text.txt", c('"Text","Sample size",10,"Bootstrap number",3,"r",10,0.2', "0.1", "zero",
                                        "0.3")))
}

test_that("a bad bootstrap file is an input error naming the file and the field", {
  dir <- new_dir()
  files <- bad_files(dir)
  expected <- list(missing = "none.txt", few_values = "field 5 gives B = 5",
                   text_value = "bootstrap value 2")
  for (name in names(files)) {
    expect_error(read_bootstrap(files[[name]]), expected[[name]], fixed = TRUE, class = "cpt_input_error",
                 label = name)
  }
})

test_that("a bad bootstrap file gives the message cpt gives", {
  skip_if(cpt_binary() == "", "no built cpt (CPT_BINARY)")
  dir <- new_dir()
  good <- file.path(example_dir(), "Maize.txt")
  # cpt's command line refuses a missing file itself, before the core reads.
  for (path in bad_files(dir)[c("few_values", "text_value")]) {
    ours <- tryCatch(read_bootstrap(path), cpt_input_error = conditionMessage)
    theirs <- run_cpt(c("-C", dir, good, path))
    expect_identical(theirs$status, 1L)
    expect_identical(ours, theirs$messages)
  }
})

test_that("treatments the test cannot take are input errors with the core's text", {
  one <- list(A = c(0.1, 0.2, 0.3))
  two <- list(A = c(0.1, 0.2, 0.3), B = c(0.2, 0.4, 0.5))
  sizes <- c(A = 10, B = 12)
  estimates <- c(A = 0.2, B = 0.3)
  cases <- list(
    list(call = quote(cartesian_test(one, sample_size = c(A = 10), estimate = c(A = 0.2))),
         message = "The Cartesian paired test takes 2 to 26 treatments; 1 was given."),
    list(call = quote(cartesian_test(two, estimate = estimates)),
         message = 'Treatment "A" has no sample size: give it as sample_size = c("A" = 60).'),
    list(call = quote(cartesian_test(two, sample_size = sizes, estimate = c(A = 0.2))),
         message = 'Treatment "B" has no estimate: give it as estimate = c("B" = 0.1512).'),
    list(call = quote(cartesian_test(list(A = c(0.1, NA, 0.3), B = 1:3 / 10), sample_size = sizes,
                                     estimate = estimates)),
         message = 'Treatment 1 ("A"): bootstrap value 2 is NA, but a bootstrap value must lie between'),
    list(call = quote(cartesian_test(list(A = c(0.1, 1e300), B = 1:3 / 10), sample_size = sizes,
                                     estimate = estimates)),
         message = 'Treatment 1 ("A"): bootstrap value 2 is'),
    list(call = quote(cartesian_test(list(A = c(0.1, 1.5), B = 1:3 / 10), sample_size = sizes,
                                     estimate = estimates, transformation = "logit")),
         message = 'Treatment 1 ("A"): bootstrap value 2 is 1.5, but'),
    list(call = quote(cartesian_test(list(A = c(0.1, 0.2), B = 1:3 / 10), sample_size = c(A = 0, B = 3),
                                     estimate = estimates)),
         message = "has the sample size 0, but a sample size must be at least 1."),
    list(call = quote(cartesian_test(list(c(0.1, 0.2), c(0.3, 0.4)))),
         message = "Every treatment of x needs a name"),
    list(call = quote(cartesian_test(two, sample_size = c(A = 10, B = 12, C = 3), estimate = estimates)),
         message = 'sample_size and estimate name treatments x does not have: "C".'),
    list(call = quote(cartesian_test(value ~ treatment)), message = "A formula x needs data"),
    list(call = quote(cartesian_test(two, sample_size = sizes, estimate = estimates, threads = 0)),
         message = "threads must be a whole number at least 1."),
    list(call = quote(cartesian_test(read_bootstrap(file.path(example_dir(), c("Maize.txt", "Wheat.txt"))),
                                     sample_size = sizes)),
         message = "x comes from bootstrap files, which give their own sample sizes; leave sample_size out."),
    list(call = quote(cartesian_test(1:3)), message = "x must be read bootstrap files"))
  for (case in cases) {
    expect_error(eval(case$call), case$message, fixed = TRUE, class = "cpt_input_error",
                 label = deparse(case$call)[1])
  }
})

test_that("the study table refuses orders and digits the core cannot take", {
  files <- file.path(example_dir(), c("Maize.txt", "Wheat.txt"))
  expect_error(study_table(list(r = files), order = c("Maize", "Rice")), class = "cpt_input_error")
  expect_error(study_table(list(r = files), digits = 0), "digits must be a whole number from 1 to 15.",
               fixed = TRUE, class = "cpt_input_error")
  expect_error(write_study_table(data.frame(), tempfile()), "table must come from study_table().",
               fixed = TRUE, class = "cpt_input_error")
})

# What a table lacks, or a name the files do not hold: cpt's refusals, in
# its words.
table_refusals <- function(dir) {
  wide <- write_bytes(dir, "r.csv", utf8_bytes(wide_lines()))
  both <- c("Ma\u00efs" = 0.2, Sorghum = 0.3)
  list(
    list(arguments = list(wide),
         message = paste0('cannot be used: the table gives no sample size for treatment "Ma\u00efs"; give it with ',
                          "--sample-size Ma\u00efs=N (or --sample-size N for every treatment).")),
    list(arguments = list(wide, sample_size = 20),
         message = paste0('cannot be used: the table gives no estimate (the parameter of the full sample) for ',
                          'treatment "Ma\u00efs"; give it with --estimate Ma\u00efs=X.')),
    list(arguments = list(wide, sample_size = c(Rice = 3, 20), estimate = both),
         message = '--sample-size names the treatment "Rice", but no file given holds a treatment of that name.'),
    list(arguments = list(write_bytes(dir, "x.csv", utf8_bytes(long_lines()))),
         message = "cannot be used: it holds treatments of 2 parameters (r, R0); name one with --parameter CODE."),
    list(arguments = list(fixture("r.xlsx"), sheet = "Data", sample_size = 20, estimate = both),
         message = 'it has no sheet "Data" (its sheets: "Notes", "r values"); name one with --sheet NAME.'))
}

# The same request as cpt's options.
cpt_options <- function(arguments) {
  named <- function(values) {
    given <- names(values) %||% rep("", length(values))
    ifelse(given %in% c("", NA), format(values), paste0(given, "=", values))
  }
  c(if (!is.null(arguments$sheet)) c("--sheet", arguments$sheet),
    unlist(lapply(named(arguments$sample_size), function(x) c("--sample-size", x))),
    unlist(lapply(named(arguments$estimate), function(x) c("--estimate", x))))
}

test_that("a table that lacks n or estimate, or names no such treatment, is cpt's input error", {
  for (case in table_refusals(new_dir())) {
    expect_error(do.call(read_bootstrap, case$arguments), case$message, fixed = TRUE, class = "cpt_input_error",
                 label = case$message)
  }
})

test_that("a table's refusals are cpt's messages", {
  skip_if(cpt_binary() == "", "no built cpt (CPT_BINARY)")
  dir <- new_dir()
  for (case in table_refusals(dir)) {
    ours <- tryCatch(do.call(read_bootstrap, case$arguments), cpt_input_error = conditionMessage)
    theirs <- run_cpt(c("-C", dir, case$arguments[[1L]], cpt_options(case$arguments)))
    expect_identical(theirs$status, 1L, label = case$message)
    expect_identical(ours, theirs$messages, label = case$message)
  }
})

test_that("read_bootstrap refuses sample sizes and estimates it cannot give a table", {
  path <- file.path(example_dir(), "r.csv")
  cases <- list(list(sample_size = c(60, 55)), list(sample_size = c(Maize = 60.5)), list(sample_size = 0),
                list(sample_size = "60"), list(estimate = 0.15), list(estimate = c(Maize = NA)))
  for (case in cases) {
    expect_error(do.call(read_bootstrap, c(list(path), case)), "must", class = "cpt_input_error",
                 label = deparse(case))
  }
})

test_that("a transformation is named exactly: an abbreviation is refused with the names", {
  two <- list(A = c(0.1, 0.2, 0.3), B = c(0.2, 0.4, 0.5))
  for (given in list("log", "arc", "Logit", "", NA_character_, c("none", "logit"), 1)) {
    expect_error(cartesian_test(two, sample_size = c(A = 10, B = 12), estimate = c(A = 0.2, B = 0.3),
                                transformation = given),
                 'transformation must be one of "none", "arcsine", "logit"', fixed = TRUE,
                 class = "cpt_input_error", label = deparse(given))
  }
})

test_that("an interrupt stays an interrupt, which try() does not swallow", {
  cancelled <- structure(list(kind = "cancelled", message = "The Cartesian paired test was interrupted."),
                         class = "cpt_failure")
  runs <- 0L
  caught <- tryCatch({
    for (k in 1:3) try({
      runs <- runs + 1L
      cartesianpt:::core_value(cancelled)
    }, silent = TRUE)
    NULL
  }, interrupt = identity)
  expect_s3_class(caught, "interrupt")
  expect_false(inherits(caught, "error"))
  expect_identical(conditionMessage(caught), "The Cartesian paired test was interrupted.")
  expect_identical(runs, 1L)
})

test_that("a real interrupt of a running test ends a loop of try()", {
  skip_on_os("windows")
  skip_if(Sys.which("kill") == "", "no kill")
  # A SIGINT to a non-interactive R (R CMD check, a background job) may end
  # the whole test run or never arrive: sent only where asked for.
  skip_if_not(interactive() || identical(Sys.getenv("CPT_SIGNAL_TESTS"), "true"),
              "sends SIGINT to this R process (set CPT_SIGNAL_TESTS=true)")
  # Pairs of millions of differences: the loop runs for seconds unless stopped.
  big <- lapply(setNames(1:4, c("A", "B", "C", "D")), function(k) seq(0, 1, length.out = 3000) + k / 100)
  sizes <- c(A = 10, B = 10, C = 10, D = 10)
  estimates <- c(A = 0.1, B = 0.2, C = 0.3, D = 0.4)
  system(sprintf("sleep 0.5; kill -INT %d", Sys.getpid()), wait = FALSE)
  runs <- 0L
  caught <- tryCatch({
    for (k in 1:200) try({
      runs <- runs + 1L
      cartesian_test(big, sample_size = sizes, estimate = estimates, threads = 1)
    }, silent = TRUE)
    NULL
  }, interrupt = identity)
  expect_s3_class(caught, "interrupt")
  expect_lt(runs, 200L)
})
