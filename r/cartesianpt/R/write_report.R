write_report <- function(result, dir = ".", code = NULL, fixed_time = NULL, differences = FALSE) {
  call <- sys.call()
  check_result(result, call)
  dir <- path.expand(single_text(dir, "dir", call))
  if (!dir.exists(dir)) input_error(sprintf("The report cannot be written into %s: the folder does not exist.", dir), call)
  code <- if (is.null(code)) "1" else single_text(code, "code", call)
  fixed_time <- if (is.null(fixed_time)) "" else single_text(fixed_time, "fixed_time", call)
  differences <- single_flag(differences, "differences", call)
  run <- attr(result, "run")
  written <- core_value(cpt_write_report(run$pointer, run$records, run$settings, dir, code, fixed_time,
                                         run$began, run$ended, differences), call)
  path <- written$report
  if (differences) attr(path, "difference_files") <- written$files
  path
}
