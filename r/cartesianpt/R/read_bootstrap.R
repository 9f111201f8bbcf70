read_bootstrap <- function(paths, sheet = NULL, parameter = NULL, sample_size = NULL, estimate = NULL) {
  call <- sys.call()
  if (!is.character(paths) || length(paths) == 0L || anyNA(paths)) {
    input_error("paths must name one or more bootstrap result files.", call)
  }
  options <- list(sheet = if (is.null(sheet)) "" else single_text(sheet, "sheet", call),
                  parameter = if (is.null(parameter)) "" else single_text(parameter, "parameter", call),
                  sample_size = named_numbers(sample_size, "sample_size", call),
                  estimate = named_numbers(estimate, "estimate", call))
  records <- read_records(path.expand(paths), options, "none", call)
  new_treatments(records, options)
}

read_records <- function(paths, options, transformation, call) {
  core_value(cpt_read_treatments(paths, options$sheet, options$parameter, options$sample_size,
                                 options$estimate, transformation), call)
}

# records: lists of name, code, n, estimate, values, ordering_mean (NULL: the
# plain mean), transformation and source. options: how the files were read,
# to read them again with a transformation.
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
                      source = vapply(x, function(t) basename(t$source), ""),
                      row.names = NULL)
  print(shown, digits = 6)
  invisible(x)
}
