# The treatment records of cartesian_test()'s x, whatever its form: read
# files, a named list of vectors, a matrix or data frame of columns, or a
# formula over a long data frame.
treatment_records <- function(x, data, sample_size, estimate, code, call) {
  if (inherits(x, "cpt_treatments")) {
    for (argument in c("data", "sample_size", "estimate", "code")) {
      if (!is.null(get(argument))) {
        input_error(sprintf("x comes from bootstrap files, which give their own %s; leave %s out.",
                            what_files_give[[argument]], argument), call)
      }
    }
    return(unclass(x))
  }
  sample_size <- split_sample_sizes(sample_size, call)
  estimate <- named_numbers(estimate, "estimate", call)
  if (!is.null(code)) code <- single_text(code, "code", call)
  if (inherits(x, "formula")) {
    columns <- formula_columns(x, data, call)
    if (is.null(code)) code <- columns$response
    values <- columns$values
  } else {
    if (!is.null(data)) input_error("data goes with a formula x, as value ~ treatment.", call)
    values <- value_columns(x, call)
  }
  if (is.null(code)) code <- "value"
  unknown <- setdiff(c(names(sample_size$named), names(estimate)), names(values))
  if (length(unknown)) {
    input_error(sprintf("sample_size and estimate name treatments x does not have: %s.",
                        paste0('"', unknown, '"', collapse = ", ")), call)
  }
  if (length(sample_size$others)) {
    others <- setdiff(names(values), names(sample_size$named))
    sample_size$named <- c(sample_size$named, setNames(rep(sample_size$others, length(others)), others))
  }
  sample_size <- sample_size$named
  lapply(names(values), function(name) {
    list(name = name, code = code,
         n = treatment_number(sample_size, name, "sample_size", call, whole = TRUE),
         estimate = treatment_number(estimate, name, "estimate", call, whole = FALSE),
         values = values[[name]], ordering_mean = NULL, transformation = "none", source = "")
  })
}

# As read_bootstrap() takes them: numbers named by treatment, one unnamed
# number for every other treatment, or both. The test judges the numbers.
split_sample_sizes <- function(value, call) {
  if (is.null(value)) return(list(named = NULL, others = NULL))
  given <- names(value) %||% rep("", length(value))
  unnamed <- is.na(given) | given == ""
  if (!is.numeric(value) || length(value) == 0L || sum(unnamed) > 1L) {
    input_error(paste("sample_size must be numbers named by treatment, as sample_size = c(Maize = 60),",
                      "or one number for every treatment."), call)
  }
  list(named = if (any(!unnamed)) value[!unnamed] else NULL, others = unname(value[unnamed]))
}

what_files_give <- list(data = "values", sample_size = "sample sizes", estimate = "estimates",
                        code = "parameter code")

treatment_number <- function(numbers, name, argument, call, whole) {
  if (is.null(numbers) || !(name %in% names(numbers))) {
    input_error(sprintf('Treatment "%s" has no %s: give it as %s = c("%s" = %s).', name,
                        gsub("_", " ", argument), argument, name, example_value[[argument]]), call)
  }
  value <- unname(numbers[[name]])
  if (is.na(value) || (whole && (value != round(value) || abs(value) > .Machine$integer.max))) {
    input_error(sprintf('Treatment "%s": %s %s is not %s.', name, argument, format(value),
                        if (whole) "a whole number" else "a number"), call)
  }
  if (whole) as.integer(value) else as.double(value)
}

# A named list of numeric vectors, one per treatment, in entry order.
value_columns <- function(x, call) {
  if (is.matrix(x)) x <- as.data.frame(x, stringsAsFactors = FALSE)
  padded <- is.data.frame(x)
  if (!is.list(x) || length(x) == 0L) {
    input_error(paste("x must be read bootstrap files or their paths, a named list of numeric vectors, a matrix",
                      "or data frame with one column per treatment, or a formula value ~ treatment."), call)
  }
  if (is.null(names(x)) || anyNA(names(x)) || any(names(x) == "")) {
    input_error("Every treatment of x needs a name (the names of the list, or the column names).", call)
  }
  if (anyDuplicated(names(x))) {
    input_error(sprintf('Treatment "%s" is given twice.', names(x)[anyDuplicated(names(x))]), call)
  }
  lapply(setNames(names(x), names(x)), function(name) {
    values <- x[[name]]
    if (!is.numeric(values)) input_error(sprintf('Treatment "%s" is not numeric.', name), call)
    # Columns of unequal B fill the shorter ones up with NA at the end.
    if (padded) values <- values[seq_len(max(c(0L, which(!is.na(values)))))]
    as.double(values)
  })
}

# The response's name and its values split by the treatment column, the
# treatments in the order of the factor's levels, or of first appearance.
formula_columns <- function(formula, data, call) {
  if (length(formula) != 3L || length(all.vars(formula[[3L]])) != 1L) {
    input_error("A formula x must be value ~ treatment, with one treatment column.", call)
  }
  if (!is.data.frame(data)) input_error("A formula x needs data, a long data frame.", call)
  frame <- tryCatch(model.frame(formula, data, na.action = NULL),
                    error = function(e) input_error(conditionMessage(e), call))
  response <- frame[[1L]]
  groups <- frame[[2L]]
  if (!is.numeric(response)) input_error(sprintf("%s is not numeric.", deparse(formula[[2L]])), call)
  if (anyNA(groups)) input_error(sprintf("%s has a missing treatment.", deparse(formula[[3L]])), call)
  levels <- if (is.factor(groups)) levels(droplevels(groups)) else unique(as.character(groups))
  values <- split(as.double(response), factor(as.character(groups), levels = levels))
  list(response = deparse(formula[[2L]]), values = values)
}
