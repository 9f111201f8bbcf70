# Checks of the arguments every function shares; each failure is a
# cpt_input_error that names the argument.

single_flag <- function(value, argument, call = sys.call(-1)) {
  if (!is.logical(value) || length(value) != 1L || is.na(value)) {
    input_error(sprintf("%s must be TRUE or FALSE.", argument), call)
  }
  value
}

single_text <- function(value, argument, call = sys.call(-1)) {
  if (!is.character(value) || length(value) != 1L || is.na(value)) {
    input_error(sprintf("%s must be one character string.", argument), call)
  }
  value
}

whole_number <- function(value, argument, lowest, highest = .Machine$integer.max, call = sys.call(-1)) {
  if (!is.numeric(value) || length(value) != 1L || is.na(value) || value != round(value) ||
      value < lowest || value > highest) {
    range <- if (highest == .Machine$integer.max) sprintf("at least %d", lowest)
             else sprintf("from %d to %d", lowest, highest)
    input_error(sprintf("%s must be a whole number %s.", argument, range), call)
  }
  as.integer(value)
}

# Threads the engine may use: two unless more are asked.
thread_count <- function(threads, call = sys.call(-1)) {
  if (is.null(threads)) return(2L)
  whole_number(threads, "threads", 1L, call = call)
}

# A numeric vector named by treatment, or NULL.
named_numbers <- function(value, argument, call = sys.call(-1)) {
  if (is.null(value)) return(NULL)
  if (!is.numeric(value) || is.null(names(value)) || anyNA(names(value)) || any(names(value) == "")) {
    input_error(sprintf("%s must be a numeric vector named by treatment, as %s = c(Maize = %s).",
                        argument, argument, example_value[[argument]]), call)
  }
  value
}

example_value <- list(sample_size = "60", estimate = "0.1512")
