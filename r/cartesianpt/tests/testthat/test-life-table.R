records_file <- function() test_path("fixtures", "records.csv")
records_frame <- function() read.csv(records_file(), stringsAsFactors = FALSE)

folder_bytes <- function(dir) {
  files <- sort(list.files(dir))
  setNames(lapply(file.path(dir, files), file_bytes), files)
}

run_cpt_life <- function(arguments, dir) {
  out <- tempfile()
  on.exit(unlink(out))
  status <- system2(cpt_binary(), c("life-table", shQuote(arguments), "-C", shQuote(dir), "--json"),
                    stdout = out, stderr = FALSE)
  expect_equal(status, 0L)
  jsonlite::fromJSON(out, simplifyVector = FALSE)
}

life_cases <- list(
  list(label = "drop", r = list(seed = 7, zero_offspring = "drop"),
       cli = c("--seed", "7", "--zero-offspring", "drop")),
  list(label = "refuse, females, s = 0.5", r = list(seed = 1, cohort = "females", female_offspring = 0.5),
       cli = c("--cohort", "females", "--female-offspring", "0.5"))
)

test_that("a records data frame gives cpt life-table's estimates and files, byte for byte", {
  skip_if(cpt_binary() == "", "no built cpt (CPT_BINARY)")
  for (case in life_cases) {
    cpt_dir <- tempfile(); r_dir <- tempfile()
    dir.create(cpt_dir); dir.create(r_dir)
    expected <- run_cpt_life(c(records_file(), "--bootstrap", "300", case$cli), cpt_dir)
    result <- do.call(life_table, c(list(records_frame(), bootstrap = 300, threads = 2), case$r))
    write_bootstrap(result, r_dir)
    expect_identical(folder_bytes(r_dir), folder_bytes(cpt_dir), label = case$label)
    for (k in seq_along(expected$treatments)) {
      t <- expected$treatments[[k]]
      row <- result$estimates[k, ]
      expect_identical(row$treatment, t$name)
      expect_identical(row$n, as.double(t$n))
      for (code in c("r", "lambda", "R0", "T", "GRR")) {
        want <- t$estimates[[code]]
        expect_identical(row[[code]], if (is.null(want)) NA_real_ else want, label = paste(case$label, t$name, code))
      }
      # The replicates without offspring are where r and T are missing, and only there.
      boot <- result$bootstrap[result$bootstrap$treatment == t$name, ]
      expect_identical(boot$replicate, as.double(1:300))
      expect_identical(is.na(boot$r), boot$R0 == 0)
      expect_identical(is.na(boot$T), boot$R0 == 0)
      expect_identical(as.double(sum(boot$R0 == 0)), as.double(t$zero_offspring))
    }
  }
})

test_that("a data frame of records gives what the same records in a file give", {
  from_frame <- life_table(records_frame(), bootstrap = 50, zero_offspring = "drop", threads = 1)
  from_file <- life_table(records_file(), bootstrap = 50, zero_offspring = "drop", threads = 2)
  expect_identical(unclass(from_frame)[1:3], unclass(from_file)[1:3])
  expect_identical(names(from_frame$life_table), c("treatment", "age", "N", "lx", "E", "mx", "lxmx"))
  expect_identical(names(from_frame$bootstrap), c("treatment", "replicate", "r", "lambda", "R0", "T", "GRR"))
})

test_that("write_bootstrap writes the same files once the kept result is gone", {
  result <- life_table(records_frame(), bootstrap = 40, seed = 3, zero_offspring = "drop", threads = 1)
  saved <- tempfile(fileext = ".rds")
  saveRDS(result, saved)
  again <- readRDS(saved)
  first <- tempfile(); second <- tempfile()
  dir.create(first); dir.create(second)
  write_bootstrap(result, first)
  write_bootstrap(again, second)
  expect_identical(folder_bytes(second), folder_bytes(first))
  # A name taken is never replaced.
  written <- write_bootstrap(result, first)
  expect_true(all(grepl(" \\(2\\)\\.", basename(written))))
})

test_that("cartesian_test and study_table take a life_table result as its bootstrap files", {
  result <- life_table(records_frame(), bootstrap = 60, zero_offspring = "drop", threads = 1)
  dir <- tempfile()
  dir.create(dir)
  files <- write_bootstrap(result, dir)
  R0_files <- files[grepl("-R0\\.txt$", files)]
  direct <- cartesian_test(result, code = "R0")
  read <- cartesian_test(read_bootstrap(R0_files))
  expect_identical(direct$treatments[c("name", "n", "B", "estimate", "mean", "SE", "letters")],
                   read$treatments[c("name", "n", "B", "estimate", "mean", "SE", "letters")])
  expect_identical(direct$pairs, read$pairs)
  expect_identical(cartesian_test(result)$parameter, "r")
  table <- study_table(result)
  expect_identical(unique(table$parameter), c("r", "lambda", "R0", "T", "GRR"))
  cells <- function(t) lapply(setNames(names(t), names(t)), function(column) as.vector(t[[column]]))
  expect_identical(cells(table), cells(study_table(files[grepl("\\.txt$", files)])))
})

test_that("life_table refuses what cpt life-table refuses, in its words with the package's names", {
  no_sex <- records_frame()[c("treatment", "individual", "age", "eggs")]
  cases <- list(
    list(call = quote(life_table(records_frame(), bootstrap = 1)), text = "bootstrap"),
    list(call = quote(life_table(records_frame(), female_offspring = 0)), text = "female_offspring"),
    list(call = quote(life_table(records_frame(), cohort = "males")), text = "cohort"),
    list(call = quote(life_table(no_sex, cohort = "females")), text = 'has no column sex, but cohort = "females"'),
    list(call = quote(life_table(transform(records_frame(), age = ifelse(age == 3, 5, age)))), text = "x"),
    list(call = quote(life_table(42)), text = "data frame of records"),
    list(call = quote(life_table(test_path("fixtures", "no such records.csv"))), text = "no such records")
  )
  for (case in cases) {
    expect_error(eval(case$call), class = "cpt_input_error", label = deparse(case$call))
    message <- tryCatch(eval(case$call), error = conditionMessage)
    expect_true(grepl(case$text, message, fixed = TRUE), label = paste(deparse(case$call), "->", message))
  }
  # The records' own faults are cpt's messages, naming the data frame's row.
  bad <- records_frame()
  bad$eggs[2] <- -1
  path <- tempfile(fileext = ".csv")
  write.csv(bad, path, row.names = FALSE)
  in_file <- tryCatch(life_table(path, bootstrap = 10), error = conditionMessage)
  in_frame <- tryCatch(life_table(bad, bootstrap = 10), error = conditionMessage)
  expect_match(in_file, "row 3, column 4", fixed = TRUE)
  expect_identical(in_frame, sub("row 3,", "row 2,", sub('The file "[^"]*"', "The records x", in_file), fixed = TRUE))
})
