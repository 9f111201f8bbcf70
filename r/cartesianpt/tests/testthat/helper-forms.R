# Two treatments in every form of input file cpt reads. Their values need
# every digit a double keeps; B differs, so a wide table's shorter column
# ends early. fixtures/r.xlsx holds the same (written with libxlsxwriter:
# a sheet "Notes" first, then the wide table on the sheet "r values").

form_reference <- list(
  list(name = "Ma\u00efs", n = 20L, estimate = "0.2134",
       values = c("0.151200", "1.5E-3", "-0.000123456789012345", "0.1", "0.30000000000001")),
  list(name = "Sorghum", n = 22L, estimate = "0.1875",
       values = c("0.2", "0.21", "0.222", "0.2345", "7", "0.19999")))

decimal_commas <- function(text) gsub(".", ",", text, fixed = TRUE)

described_lines <- function(treatment, separator = ",") {
  number <- if (separator == ";") decimal_commas else identity
  heading <- c(sprintf('"%s"', treatment$name), '"Sample size"', treatment$n, '"Bootstrap number"',
               length(treatment$values), '"r"', treatment$n, number(treatment$estimate))
  c(paste(heading, collapse = separator), number(treatment$values))
}

# One column per treatment, the shorter ones ending with empty cells.
wide_lines <- function(separator = ",", number = identity) {
  rows <- max(lengths(lapply(form_reference, `[[`, "values")))
  cells <- vapply(form_reference, function(t) c(number(t$values), rep("", rows - length(t$values))),
                  character(rows))
  c(paste(vapply(form_reference, `[[`, "", "name"), collapse = separator),
    apply(matrix(cells, nrow = rows), 1L, paste, collapse = separator))
}

# One row per value with n and estimate, interleaved with a second
# parameter's rows.
long_lines <- function() {
  rows <- unlist(lapply(form_reference, function(t) {
    c(rbind(sprintf('r,"%s",%d,%s,%s', t$name, t$n, t$estimate, t$values),
            sprintf('R0,"%s",%d,2.5,%s', t$name, t$n, seq_along(t$values))))
  }))
  c("Parameter,Treatment,n,Estimate,Value", rows)
}

utf8_bytes <- function(lines) charToRaw(enc2utf8(paste0(lines, "\r\n", collapse = "")))

utf16le_bytes <- function(lines) {
  c(as.raw(c(0xff, 0xfe)), iconv(paste0(lines, "\r\n", collapse = ""), "UTF-8", "UTF-16LE", toRaw = TRUE)[[1L]])
}

write_bytes <- function(dir, name, bytes) {
  path <- file.path(dir, name)
  writeBin(bytes, path)
  path
}

# One described file per treatment, each in the form of bytes().
described_files <- function(dir, bytes = function(t) utf8_bytes(described_lines(t))) {
  vapply(seq_along(form_reference), function(k) write_bytes(dir, sprintf("t%d.txt", k), bytes(form_reference[[k]])),
         "")
}

fixture <- function(name) test_path("fixtures", name)
