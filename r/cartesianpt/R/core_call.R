# The core's failures come back from C++ as values of class "cpt_failure"
# and are raised here: a C++ exception never meets an R error jump.
core_value <- function(value, call = sys.call(-1)) {
  if (inherits(value, "cpt_failure")) {
    if (identical(value$kind, "cancelled")) interrupted(value$message, call)
    stop(cpt_error(value$message, value$kind, call))
  }
  value
}

# The user's interrupt stays an interrupt, which try() and error handlers
# let pass: a loop of runs stops at it. Unhandled, it ends the evaluation
# with its message, as an error would.
interrupted <- function(message, call) {
  stop(structure(class = c("cpt_interrupt", "interrupt", "condition"), list(message = message, call = call)))
}

# Conditions of class cpt_input_error (bad input, with cpt's text),
# cpt_memory_error or cpt_internal_error; all of them are cpt_error. An
# interrupt is a condition of class interrupt (cpt_interrupt).
cpt_error <- function(message, kind = "input", call = NULL) {
  structure(class = c(paste0("cpt_", kind, "_error"), "cpt_error", "error", "condition"),
            list(message = message, call = call))
}

input_error <- function(message, call = sys.call(-1)) stop(cpt_error(message, "input", call))

`%||%` <- function(x, y) if (is.null(x)) y else x
