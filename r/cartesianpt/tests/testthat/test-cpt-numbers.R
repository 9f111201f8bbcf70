# The example runs against cpt's --json numbers (helper-cpt-expected.R).

for (name in names(cpt_expected)) {
  test_that(sprintf("the example run '%s' gives cpt's numbers to the last bit", name), {
    case <- cpt_expected[[name]]
    expect_identical(cpt_mismatches(run_case(case), case), character())
  })
}

test_that("each pair names its treatments in mean order", {
  result <- run_case(cpt_expected$entry_order)
  expect_identical(result$pairs$first_name, result$treatments$name[result$pairs$first])
  expect_identical(result$pairs$second_name, result$treatments$name[result$pairs$second])
})

test_that("a described file's ordering mean, with value B + 1 in it, orders the treatments", {
  # A's plain mean (2) is below B's (2.5); its ordering mean (1 + 2 + 3 + 100) / 4 is not.
  dir <- new_dir()
  writeLines(c('"A","Sample size",10,"Bootstrap number",3,"r",10,2', "1", "2", "3", "100", "7", "-1"),
             file.path(dir, "A.txt"))
  writeLines(c('"B","Sample size",10,"Bootstrap number",3,"r",10,2.5', "2.5", "2.6", "2.4", "-1"),
             file.path(dir, "B.txt"))
  treatments <- read_bootstrap(file.path(dir, c("B.txt", "A.txt")))
  expect_identical(treatments$A$ordering_mean, 106 / 4)
  expect_identical(treatments$A$values, c(1, 2, 3))
  expect_identical(cartesian_test(treatments)$treatments$name, c("A", "B"))
  expect_identical(cartesian_test(treatments, reversed = TRUE)$treatments$name, c("B", "A"))
})
