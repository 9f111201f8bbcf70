study_table <- function(x, ..., order = NULL, digits = 2) {
  call <- sys.call()
  digits <- whole_number(digits, "digits", 1L, 15L, call)
  if (!is.null(order) && (!is.character(order) || anyNA(order))) {
    input_error("order must name the treatments in the order of the columns.", call)
  }
  runs <- study_runs(x, list(...), call)
  columns <- core_value(cpt_study_table(lapply(runs, kept_result, call = call), names(runs),
                                        order %||% character(), digits), call)
  table <- as.data.frame(columns, stringsAsFactors = FALSE)
  structure(table, class = c("cpt_study_table", "data.frame"),
            study = list(runs = runs, order = order %||% character(), digits = digits))
}

study_formats <- c("csv", "xlsx", "html", "tex", "md", "docx")

write_study_table <- function(table, path, format = c("csv", "xlsx", "html", "tex", "md", "docx")) {
  call <- sys.call()
  if (!inherits(table, "cpt_study_table")) input_error("table must come from study_table().", call)
  path <- path.expand(single_text(path, "path", call))
  format <- study_format(if (missing(format)) NULL else format, path, call)
  folder <- dirname(path)
  if (!dir.exists(folder)) {
    input_error(sprintf("The study table cannot be written to %s: the folder %s does not exist.", path, folder), call)
  }
  study <- attr(table, "study")
  runs <- study$runs[written_parameters(table, study, call)]
  order <- study$order[study$order %in% table$treatment]
  core_value(cpt_write_study_table(lapply(runs, kept_result, call = call), names(runs), order, study$digits,
                                   path, format), call)
}

# Without a format the path's extension chooses it.
study_format <- function(format, path, call) {
  listed <- paste(study_formats, collapse = ", ")
  if (is.null(format)) {
    extension <- tolower(sub(".*\\.", "", basename(path)))
    if (!grepl(".", basename(path), fixed = TRUE) || !(extension %in% study_formats)) {
      input_error(sprintf(paste('A study table is written as %s; the extension of "%s" names none of them.',
                                'End the path in one, or give the format, as format = "csv".'),
                          listed, basename(path)), call)
    }
    return(extension)
  }
  if (!is.character(format) || length(format) != 1L || is.na(format) || !(format %in% study_formats)) {
    input_error(sprintf("format must be one of %s.", listed), call)
  }
  format
}

# The parameters of the table given, in its order, when it holds every row
# study_table() made for each of them and nothing else: those are written.
# Anything else (a row of a parameter left out, a value changed, a column
# renamed) would be written as what study_table() made, so it is refused.
written_parameters <- function(table, study, call) {
  made <- as.data.frame(core_value(cpt_study_table(lapply(study$runs, kept_result, call = call), names(study$runs),
                                                   study$order, study$digits), call), stringsAsFactors = FALSE)
  parameters <- unique(as.character(table$parameter))
  kept <- made[unlist(lapply(parameters, function(p) which(made$parameter == p))), , drop = FALSE]
  same <- identical(names(table), names(made)) && nrow(table) == nrow(kept) &&
    all(vapply(names(made), function(column) identical(as.vector(table[[column]]), as.vector(kept[[column]])), TRUE))
  if (!same) {
    input_error(paste("table is not as study_table() made it: a study table is written whole, parameter by",
                      "parameter, so keep all of a parameter's rows (or none) and change no value or column;",
                      "for other cells or columns make it again with study_table()."), call)
  }
  if (length(parameters) == 0L) input_error("table holds no parameter to write.", call)
  parameters
}

# One Cartesian result per parameter, named by the parameter.
study_runs <- function(x, more, call) {
  if (is.data.frame(x)) {
    if (length(more)) input_error("A long data frame holds every parameter; give nothing after it.", call)
    return(long_frame_runs(x, call))
  }
  items <- if (is.list(x) && !inherits(x, c("cpt_treatments", "cartesian_test", "cpt_life_table"))) c(x, more) else c(list(x), more)
  if (length(items) == 0L) input_error("A study table needs at least one parameter.", call)
  given <- names(items) %||% rep("", length(items))
  do.call(c, lapply(seq_along(items), function(k) item_runs(items[[k]], given[[k]], call)))
}

# One item's runs, named by the given name or else by the parameter's code:
# files may hold several parameters (a long table), as in cpt study.
item_runs <- function(item, name, call) {
  if (is.character(item)) {
    runs <- lapply(read_parameter_groups(item, call), cartesian_test)
    if (name != "" && length(runs) > 1L) {
      input_error(sprintf('The files of "%s" hold the parameters %s; give them without a name, and each takes its code.',
                          name, paste(names(runs), collapse = ", ")), call)
    }
    if (name != "") names(runs) <- name
    return(runs)
  }
  if (inherits(item, "cpt_life_table")) {
    # Every parameter whose bootstrap files the run wrote, named by its code.
    codes <- life_parameters(item, call)
    if (name != "" && length(codes) > 1L) {
      input_error(sprintf('The life tables of "%s" hold the parameters %s; give them without a name, and each takes its code.',
                          name, paste(codes, collapse = ", ")), call)
    }
    runs <- lapply(codes, function(code) cartesian_test(item, code = code))
    return(setNames(runs, if (name != "") name else codes))
  }
  if (inherits(item, "cpt_treatments")) item <- cartesian_test(item)
  if (!inherits(item, "cartesian_test")) {
    input_error("Each parameter is bootstrap files or tables, read_bootstrap() treatments, a cartesian_test() result or a life_table() result.",
                call)
  }
  setNames(list(item), if (name == "") item$parameter else name)
}

# parameter, treatment, value, n and estimate: one row per bootstrap value,
# n and estimate the same on every row of a treatment in a parameter.
long_frame_runs <- function(frame, call) {
  missing <- setdiff(c("parameter", "treatment", "value", "n", "estimate"), names(frame))
  if (length(missing)) {
    input_error(sprintf("A long data frame needs the columns parameter, treatment, value, n and estimate; %s %s missing.",
                        paste(missing, collapse = ", "), if (length(missing) == 1L) "is" else "are"), call)
  }
  parameters <- unique(as.character(frame$parameter))
  runs <- lapply(parameters, function(parameter) {
    rows <- frame[as.character(frame$parameter) == parameter, , drop = FALSE]
    cartesian_test(value ~ treatment, data = rows, code = parameter,
                   sample_size = per_treatment(rows, "n", parameter, call),
                   estimate = per_treatment(rows, "estimate", parameter, call))
  })
  setNames(runs, parameters)
}

per_treatment <- function(rows, column, parameter, call) {
  groups <- split(rows[[column]], as.character(rows$treatment))
  for (name in names(groups)) {
    if (length(unique(groups[[name]])) != 1L) {
      input_error(sprintf('Parameter "%s", treatment "%s": the column %s must hold one value for the treatment.',
                          parameter, name, column), call)
    }
  }
  vapply(groups, function(values) as.double(values[[1L]]), 0)
}
