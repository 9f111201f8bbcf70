# The core's failures come back from C++ as values of class "cpt_failure"
# and are raised here: a C++ exception never meets an R error jump.
core_value <- function(value, call = sys.call(-1)) {
  if (inherits(value, "cpt_failure")) stop(cpt_error(value$message, value$kind, call))
  value
}

# Conditions of class cpt_input_error (bad input, with cpt's text),
# cpt_cancelled_error, cpt_memory_error or cpt_internal_error; all of them
# are cpt_error.
cpt_error <- function(message, kind = "input", call = NULL) {
  structure(class = c(paste0("cpt_", kind, "_error"), "cpt_error", "error", "condition"),
            list(message = message, call = call))
}

input_error <- function(message, call = sys.call(-1)) stop(cpt_error(message, "input", call))

`%||%` <- function(x, y) if (is.null(x)) y else x
