# print, summary, as.data.frame and plot of a result.

test_that("print and summary show the treatments with their letters and the pairs", {
  result <- run_case(cpt_expected$entry_order)
  expect_output(print(result), "Cartesian paired test of r: 3 treatments, 3 pairs")
  expect_output(print(result), "Maize.*a")
  expect_output(print(summary(result)), "Maize vs Sorghum")
  expect_identical(as.data.frame(result), result$treatments)
})

test_that("plot draws each treatment's own 2.5 % and 97.5 % bootstrap values", {
  result <- run_case(cpt_expected$entry_order)
  treatments <- read_bootstrap(file.path(example_dir(), cpt_expected$entry_order$files))
  grDevices::pdf(NULL)
  on.exit(grDevices::dev.off())
  shown <- plot(result)
  # Rank round(B * f + 0.5) of the sorted values, clamped to 1..B.
  at <- function(values, f) sort(values)[min(max(round(length(values) * f + 0.5), 1), length(values))]
  for (t in seq_len(nrow(shown))) {
    values <- treatments[[shown$name[t]]]$values
    expect_identical(c(shown$lower[t], shown$upper[t]), c(at(values, 0.025), at(values, 0.975)))
  }
  expect_identical(shown$letters, result$treatments$letters)
})
