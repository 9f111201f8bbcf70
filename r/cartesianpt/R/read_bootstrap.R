read_bootstrap <- function(paths, sheet = NULL, parameter = NULL, sample_size = NULL, estimate = NULL) {
  read_bootstrap_files(paths, list(sheet = sheet, parameter = parameter, sample_size = sample_size,
                                   estimate = estimate), sys.call())
}

# read_bootstrap() for any caller that takes paths; given: its arguments.
read_bootstrap_files <- function(paths, given, call) {
  if (!is.character(paths) || length(paths) == 0L || anyNA(paths)) {
    input_error("paths must name one or more bootstrap result files or tables.", call)
  }
  paths <- path.expand(paths)
  options <- c(list(paths = paths, sheet = optional_text(given$sheet, "sheet", call),
                    parameter = optional_text(given$parameter, "parameter", call)),
               sample_size_options(given$sample_size, call),
               list(estimates = estimate_options(given$estimate, call), every_parameter = FALSE))
  new_treatments(read_records(paths, options, "none", call), options)
}

# The files as cpt study reads them: one cpt_treatments per parameter, named
# by its code.
read_parameter_groups <- function(paths, call) {
  paths <- path.expand(paths)
  options <- list(paths = paths, every_parameter = TRUE)
  groups <- core_value(cpt_read_parameter_groups(paths), call)
  lapply(groups, new_treatments, options = options)
}

read_records <- function(paths, options, transformation, call) {
  core_value(cpt_read_treatments(paths, options, transformation), call)
}

optional_text <- function(value, argument, call) {
  if (is.null(value)) NULL else single_text(value, argument, call)
}

# A table's missing sample sizes: one unnamed number for every treatment,
# numbers named by treatment, or both, as cpt's --sample-size takes them.
sample_size_options <- function(value, call) {
  if (is.null(value)) return(list(sample_sizes = NULL, sample_size = NULL))
  named <- if (is.null(names(value))) rep(FALSE, length(value)) else !is.na(names(value)) & names(value) != ""
  if (!is.numeric(value) || length(value) == 0L || sum(!named) > 1L || anyNA(value) ||
      any(value != round(value)) || any(value < 1) || any(value > .Machine$integer.max)) {
    input_error(paste("sample_size must be whole numbers of at least 1 named by treatment, as",
                      "sample_size = c(Maize = 60), or one such number for every treatment."), call)
  }
  list(sample_sizes = if (any(named)) value[named] else NULL,
       sample_size = if (any(!named)) unname(value[!named]) else NULL)
}

estimate_options <- function(value, call) {
  value <- named_numbers(value, "estimate", call)
  if (!is.null(value) && !all(is.finite(value))) {
    input_error("estimate must hold numbers, not NA or infinite values.", call)
  }
  value
}

# records: lists of name, code, n, estimate, values, ordering_mean (NULL: the
# plain mean), transformation, source and file. options: how the files were
# read, to read them again with a transformation.
new_treatments <- function(records, options = NULL) {
  names(records) <- vapply(records, `[[`, "", "name")
  structure(records, class = "cpt_treatments", read_options = options)
}

`[.cpt_treatments` <- function(x, i) {
  new_treatments(unclass(x)[i], attr(x, "read_options"))
}

print.cpt_treatments <- function(x, ...) {
  codes <- unique(vapply(x, `[[`, "", "code"))
  cat(sprintf("%d bootstrap treatment%s of %s\n", length(x), if (length(x) == 1L) "" else "s",
              paste(codes, collapse = ", ")))
  shown <- data.frame(name = vapply(x, `[[`, "", "name"),
                      n = vapply(x, function(t) as.integer(t$n), 0L),
                      B = vapply(x, function(t) length(t$values), 0L),
                      estimate = vapply(x, function(t) t$estimate, 0),
                      mean = vapply(x, function(t) mean(t$values), 0),
                      file = vapply(x, function(t) basename(t$file %||% t$source), ""),
                      row.names = NULL)
  print(shown, digits = 6)
  invisible(x)
}
