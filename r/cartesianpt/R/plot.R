# The means in the result's order with the 2.5 % and 97.5 % percentiles of
# each treatment's own bootstrap values and the letters above them, as the
# Results window's means figure shows them.
plot.cartesian_test <- function(x, y, ..., main = NULL, ylab = NULL, las = graphics::par("las")) {
  shown <- means_figure(x)
  k <- nrow(shown)
  span <- range(shown$lower, shown$upper)
  room <- diff(span) * 0.12
  if (room == 0) room <- max(abs(span), 1) * 0.05
  plot(seq_len(k), shown$mean, xlim = c(0.5, k + 0.5), ylim = c(span[1], span[2] + room), xaxt = "n",
       pch = 19, xlab = "", ylab = ylab %||% x$parameter,
       main = main %||% sprintf("Bootstrap means of %s with 95%% percentile intervals", x$parameter), las = las,
       ...)
  # One name at a time: axis() leaves out names that would touch, and every
  # treatment is to be named.
  for (t in seq_len(k)) axis(1, at = t, labels = shown$name[t], las = las)
  drawn <- shown$upper > shown$lower
  if (any(drawn)) {
    arrows(which(drawn), shown$lower[drawn], which(drawn), shown$upper[drawn], angle = 90, code = 3,
           length = 0.05)
  }
  if (!anyNA(shown$letters)) text(seq_len(k), shown$upper + room / 2, shown$letters)
  invisible(shown)
}

means_figure <- function(x) {
  records <- attr(x, "run")$records
  t <- x$treatments
  limits <- lapply(attr(x, "run")$entries, function(e) {
    record <- records[[e]]
    # Values the test transformed itself are shown as it took them.
    transformation <- if (record$transformation == "none") x$transformation else "none"
    core_value(cpt_percentiles(record$values, c(0.025, 0.975), transformation))
  })
  data.frame(name = t$name, mean = t$mean, lower = vapply(limits, `[`, 0, 1),
             upper = vapply(limits, `[`, 0, 2), letters = t$letters, stringsAsFactors = FALSE)
}
