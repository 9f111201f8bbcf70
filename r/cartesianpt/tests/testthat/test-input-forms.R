# Values given as R objects give the numbers of the same values in files.

files_and_values <- function() {
  treatments <- read_bootstrap(file.path(example_dir(), cpt_expected$entry_order$files))
  list(values = lapply(treatments, `[[`, "values"),
       n = vapply(treatments, `[[`, 0L, "n"),
       estimate = vapply(treatments, `[[`, 0, "estimate"))
}

test_that("a named list, a matrix, a wide and a long data frame give the files' numbers", {
  given <- files_and_values()
  long <- data.frame(r = unlist(given$values, use.names = FALSE),
                     crop = rep(names(given$values), lengths(given$values)))
  forms <- list(list = list(x = given$values),
                matrix = list(x = do.call(cbind, given$values)),
                wide = list(x = as.data.frame(given$values)),
                formula = list(x = r ~ crop, data = long))
  for (form in names(forms)) {
    arguments <- c(forms[[form]], list(sample_size = given$n, estimate = given$estimate, code = "r"))
    result <- do.call(cartesian_test, arguments)
    expect_identical(cpt_mismatches(result, cpt_expected$entry_order), character(), label = form)
  }
})

test_that("a formula's response names the parameter, and sample sizes go by treatment name", {
  long <- data.frame(lambda = c(1.1, 1.2, 1.3, 1.0, 0.9, 1.4),
                     crop = c("b", "a", "b", "a", "b", "a"))
  result <- cartesian_test(lambda ~ crop, data = long, sample_size = c(a = 5, b = 6),
                           estimate = c(a = 1.2, b = 1.1))
  expect_identical(result$parameter, "lambda")
  expect_identical(result$treatments$code, c("lambda", "lambda"))
  expect_identical(result$treatments$name, c("a", "b"))
  expect_identical(result$treatments$n, c(5L, 6L))
  expect_identical(result$treatments$estimate, c(1.2, 1.1))
})

test_that("a wide data frame's shorter columns may be filled up with NA at their end", {
  given <- files_and_values()
  wide <- data.frame(Maize = given$values$Maize, Sorghum = c(given$values$Sorghum[1:150], rep(NA, 50)))
  result <- cartesian_test(wide, sample_size = given$n[1:2], estimate = given$estimate[1:2])
  expect_identical(result$treatments$B[result$treatments$name == "Sorghum"], 150L)
})

test_that("file paths are read as read_bootstrap() reads them, transformed as cpt reads them", {
  for (case in cpt_expected[c("entry_order", "logit")]) {
    paths <- file.path(example_dir(), case$files)
    result <- cartesian_test(paths, reversed = case$reversed, transformation = case$transformation)
    expect_identical(cpt_mismatches(result, case), character(), label = case$transformation)
  }
  # A table's missing sample sizes and estimates, and its parameter's code.
  described <- read_bootstrap(file.path(example_dir(), cpt_expected$entry_order$files))
  table <- cartesian_test(file.path(example_dir(), "r.csv"), sample_size = vapply(described, `[[`, 0L, "n"),
                          estimate = vapply(described, `[[`, 0, "estimate"), code = "r")
  expect_identical(cpt_mismatches(table, cpt_expected$entry_order), character())
  expect_error(cartesian_test(file.path(example_dir(), "none.txt")), "none.txt", fixed = TRUE,
               class = "cpt_input_error")
})

test_that("one unnamed sample size is every treatment's but those named", {
  values <- list(a = c(1.1, 1.3, 1.2), b = c(0.9, 1.0, 1.4), c = c(1.0, 1.1, 1.2))
  estimate <- c(a = 1.2, b = 1.1, c = 1.1)
  result <- cartesian_test(values, sample_size = 7, estimate = estimate)
  expect_identical(result$treatments$n[order(result$treatments$name)], c(7L, 7L, 7L))
  result <- cartesian_test(values, sample_size = c(b = 5, 7), estimate = estimate)
  expect_identical(result$treatments$n[order(result$treatments$name)], c(7L, 5L, 7L))
  expect_error(cartesian_test(values, sample_size = c(5, 7), estimate = estimate),
               "sample_size must be numbers named by treatment", fixed = TRUE, class = "cpt_input_error")
})
