# print, summary, as.data.frame and plot of a result.

test_that("print and summary show the treatments with their letters and the pairs", {
  result <- run_case(cpt_expected$entry_order)
  expect_output(print(result), "Cartesian paired test of r: 3 treatments, 3 pairs")
  expect_output(print(result), "Maize.*a")
  expect_output(print(summary(result)), "Maize vs Sorghum")
  expect_identical(as.data.frame(result), result$treatments)
})

test_that("print and summary say which transformation was applied, and count in English", {
  expect_output(print(run_case(cpt_expected$entry_order)), "3 pairs, no transformation")
  logit <- run_case(cpt_expected$logit)
  expect_output(print(logit), "Cartesian paired test of r: 2 treatments, 1 pair, logit transformation")
  expect_output(print(summary(logit)), "logit transformation")
  expect_output(print(summary(logit)), "Sidak alpha for 1 pair:")
})

test_that("plot names every treatment, however many, and turns the names with las", {
  values <- lapply(setNames(1:14, sprintf("Treatment %02d", 1:14)), function(k) c(0.1, 0.2, 0.3) + k / 100)
  result <- cartesian_test(values, sample_size = 10, estimate = setNames(1:14 / 100 + 0.2, names(values)))
  named <- list()
  # The names' axis; plot() draws the other, and may be traced too.
  record <- function(side, labels, las) {
    if (side == 1 && is.character(labels)) named[[length(named) + 1L]] <<- list(labels = labels, las = las)
  }
  suppressMessages(trace("axis", exit = bquote(.(record)(side, labels, list(...)[["las"]])),
                         where = asNamespace("cartesianpt"), print = FALSE))
  on.exit(suppressMessages(untrace("axis", where = asNamespace("cartesianpt"))))
  grDevices::pdf(NULL)
  on.exit(grDevices::dev.off(), add = TRUE)
  plot(result, las = 2)
  # axis() leaves out a name that would touch its neighbour: each is drawn alone.
  expect_identical(lapply(named, `[[`, "labels"), as.list(result$treatments$name))
  expect_true(all(vapply(named, function(call) identical(call$las, 2), TRUE)))
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
