life_table <- function(x, bootstrap = 100000, seed = 1, cohort = "all", female_offspring = 1,
                       zero_offspring = "refuse", threads = 0) {
  call <- sys.call()
  settings <- list(bootstrap = whole_count(bootstrap, "bootstrap", 2, call),
                   seed = whole_count(seed, "seed", 0, call),
                   cohort = one_of(cohort, "cohort", c("all", "females"), call),
                   female_offspring = single_number(female_offspring, "female_offspring", call),
                   zero_offspring = one_of(zero_offspring, "zero_offspring", c("refuse", "drop"), call),
                   threads = whole_number(threads, "threads", 0L, 256L, call))
  input <- life_input(x, call)
  new_life_table(core_value(cpt_life_table(input$columns, input$paths, settings), call), input, settings)
}

write_bootstrap <- function(result, dir = ".") {
  call <- sys.call()
  check_life(result, call)
  dir <- single_text(dir, "dir", call)
  if (!dir.exists(dir)) input_error(sprintf('The folder "%s" does not exist.', dir), call)
  invisible(core_value(cpt_write_life_files(kept_life(result, call), path.expand(dir)), call))
}

print.cpt_life_table <- function(x, ...) {
  cat("Life tables of", nrow(x$estimates), "treatment(s), B =", attr(x, "run")$settings$bootstrap, "\n")
  print(x$estimates, row.names = FALSE)
  notes <- attr(x, "run")$notes
  if (length(notes)) cat(paste0("\n", notes), sep = "")
  invisible(x)
}

# A data frame (or list) of records columns, or paths of record files.
life_input <- function(x, call) {
  if (is.character(x)) {
    if (length(x) == 0L || anyNA(x)) input_error("x must name one or more records files.", call)
    return(list(columns = NULL, paths = path.expand(x)))
  }
  if (!is.data.frame(x)) {
    input_error(paste("x must be a data frame of records (treatment, individual, age, eggs, sex; or",
                      "individual and the ages 1, 2, ...; or age, lx and mx) or paths of records files."), call)
  }
  columns <- lapply(as.list(x), function(column) {
    if (is.factor(column) || is.logical(column)) column <- as.character(column)
    if (!is.character(column) && !is.numeric(column)) {
      input_error("x's columns must hold text or numbers.", call)
    }
    if (is.integer(column)) column <- as.double(column)
    column
  })
  list(columns = columns, paths = character())
}

# The R side of the result; the records and settings stay with it so that
# write_bootstrap() and cartesian_test() can run it again once the kept
# result is gone (after saveRDS and readRDS): the same seed gives the same values.
new_life_table <- function(value, input, settings) {
  frame <- function(columns) as.data.frame(columns, stringsAsFactors = FALSE, optional = TRUE)
  structure(list(estimates = frame(value$estimates), bootstrap = frame(value$bootstrap),
                 life_table = frame(value$life_table)),
            class = "cpt_life_table",
            run = list(pointer = value$pointer, input = input, settings = settings, notes = value$notes))
}

kept_life <- function(result, call) {
  run <- attr(result, "run")
  if (cpt_holds_life(run$pointer)) return(run$pointer)
  core_value(cpt_life_table(run$input$columns, run$input$paths, run$settings), call)$pointer
}

check_life <- function(result, call) {
  if (!inherits(result, "cpt_life_table")) input_error("result must come from life_table().", call)
}

# A parameter's treatments, as its bootstrap files read: what cartesian_test() takes.
life_treatments <- function(result, code, call) {
  new_treatments(core_value(cpt_life_treatments(kept_life(result, call), code), call))
}

life_parameters <- function(result, call) core_value(cpt_life_parameters(kept_life(result, call)), call)

whole_count <- function(value, argument, lowest, call) {
  if (!is.numeric(value) || length(value) != 1L || is.na(value) || value != round(value) || value < lowest ||
      value > 2^53) {
    input_error(sprintf("%s must be a whole number of at least %d.", argument, lowest), call)
  }
  as.double(value)
}

single_number <- function(value, argument, call) {
  if (!is.numeric(value) || length(value) != 1L || is.na(value)) {
    input_error(sprintf("%s must be one number.", argument), call)
  }
  as.double(value)
}

one_of <- function(value, argument, choices, call) {
  if (!is.character(value) || length(value) != 1L || is.na(value) || !(value %in% choices)) {
    input_error(sprintf("%s must be %s.", argument, paste0('"', choices, '"', collapse = " or ")), call)
  }
  value
}
