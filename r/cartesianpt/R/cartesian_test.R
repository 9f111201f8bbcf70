cartesian_test <- function(x, data = NULL, reversed = FALSE, transformation = c("none", "arcsine", "logit"),
                           sample_size = NULL, estimate = NULL, code = NULL, threads = NULL) {
  call <- sys.call()
  transformation <- if (missing(transformation)) "none" else transformation_named(transformation, call)
  settings <- list(reversed = single_flag(reversed, "reversed", call), transformation = transformation,
                   threads = thread_count(threads, call))
  # A life_table() result gives the treatments of one parameter (code, r
  # unless named), as its bootstrap files read.
  if (inherits(x, "cpt_life_table")) {
    x <- life_treatments(x, if (is.null(code)) "r" else single_text(code, "code", call), call)
    code <- NULL
  }
  # Paths are read as read_bootstrap() reads them; the code names a table's
  # parameter.
  if (is.character(x)) {
    if (!is.null(data)) input_error("data goes with a formula x, as value ~ treatment.", call)
    if (!is.null(code)) code <- single_text(code, "code", call)
    x <- read_bootstrap_files(x, list(parameter = code, sample_size = sample_size, estimate = estimate), call)
    sample_size <- estimate <- code <- NULL
  }
  records <- treatment_records(x, data, sample_size, estimate, code, call)
  if (transformation != "none") records <- transformed_on_reading(records, attr(x, "read_options"), transformation, call)
  value <- core_value(cpt_run_test(records, settings), call)
  new_cartesian_test(value, records, settings)
}

transformations <- c("none", "arcsine", "logit")

# Exactly one of the names: "log" is no abbreviation of "logit".
transformation_named <- function(value, call) {
  if (!is.character(value) || length(value) != 1L || is.na(value) || !(value %in% transformations)) {
    shown <- if (is.character(value) && length(value) == 1L) sprintf('"%s"', value) else deparse(value)[1L]
    input_error(sprintf("transformation must be one of %s; %s is none of them.",
                        paste0('"', transformations, '"', collapse = ", "), shown), call)
  }
  value
}

# Treatments read from files are read again with the transformation, as cpt
# reads them: value B + 1 then counts transformed in the ordering mean.
# Others are transformed by the test itself.
transformed_on_reading <- function(records, options, transformation, call) {
  files <- vapply(records, function(record) record$file %||% "", "")
  if (is.null(options) || any(files == "")) return(records)
  again <- read_records(options$paths, options, transformation, call)
  # A table holds several treatments, a long one several parameters.
  key <- function(record) paste(record$file, record$code, record$name, sep = "\n")
  found <- match(vapply(records, key, ""), vapply(again, key, ""))
  if (anyNA(found)) {
    lost <- records[[which(is.na(found))[1L]]]
    input_error(sprintf('The treatment "%s" is no longer in %s; read the files again with read_bootstrap().',
                        lost$name, lost$file), call)
  }
  again[found]
}

# What the C++ side gives, as data frames; the records and settings stay
# with it so that write_report() and study_table() can run the test again
# once the kept result is gone (after saveRDS and readRDS).
new_cartesian_test <- function(value, records, settings) {
  treatments <- as.data.frame(value$treatments[c("number", "name", "code", "n", "B", "estimate", "mean",
                                                 "SE", "letters")], stringsAsFactors = FALSE)
  pairs <- as.data.frame(value$pairs, stringsAsFactors = FALSE)
  structure(list(treatments = treatments, pairs = pairs,
                 anova = list(F = value$F, df_between = value$df_between, df_within = value$df_within),
                 sidak_alpha = value$sidak_alpha, parameter = value$parameter,
                 reversed = settings$reversed, transformation = settings$transformation),
            class = "cartesian_test",
            run = list(pointer = value$pointer, records = records, settings = settings,
                       entries = value$treatments$entry,
                       began = value$began, ended = value$ended))
}

# The C++ result of a test, made again when it was lost.
kept_result <- function(result, call = sys.call(-1)) {
  run <- attr(result, "run")
  if (cpt_holds_result(run$pointer)) return(run$pointer)
  core_value(cpt_run_test(run$records, run$settings), call)$pointer
}

check_result <- function(result, call) {
  if (!inherits(result, "cartesian_test")) input_error("result must come from cartesian_test().", call)
}
