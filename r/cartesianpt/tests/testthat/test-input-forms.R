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
