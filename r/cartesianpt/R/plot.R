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

# The figure beside the study table, as cpt study --figures draws it: a panel
# per parameter in the table's order, at most three a row, each treatment's
# estimate as a bar (or point) with a whisker of +- SE and its letters above.
plot.cpt_study_table <- function(x, y, ..., style = c("bars", "points")) {
  style <- match.arg(style)
  order <- attr(x, "study")$order
  treatments <- if (length(order)) order else unique(x$treatment)
  parameters <- unique(x$parameter)
  old <- graphics::par(mfrow = c(ceiling(length(parameters) / 3), min(length(parameters), 3)),
                       mar = c(4, 4, 2.5, 1))
  on.exit(graphics::par(old))
  panels <- lapply(parameters, function(parameter) {
    rows <- x[x$parameter == parameter, , drop = FALSE]
    at <- match(rows$treatment, treatments)
    scale <- study_panel_scale(rows$estimate - rows$SE, rows$estimate + rows$SE)
    plot(NA, xlim = c(0.5, length(treatments) + 0.5), ylim = range(scale$ticks), xaxt = "n", yaxt = "n",
         xlab = "", ylab = "", main = study_label(parameter), bty = "l", yaxs = "i", ...)
    axis(2, at = scale$ticks, las = 1)
    axis(1, at = seq_along(treatments), labels = treatments, tick = FALSE)
    if (style == "bars") {
      graphics::rect(at - 0.3, scale$base, at + 0.3, rows$estimate, col = "grey80", border = "grey15")
    } else {
      points(at, rows$estimate, pch = 15, col = "grey15")
    }
    drawn <- rows$SE > 0
    if (any(drawn)) {
      arrows(at[drawn], (rows$estimate - rows$SE)[drawn], at[drawn], (rows$estimate + rows$SE)[drawn],
             angle = 90, code = 3, length = 0.04)
    }
    lettered <- !is.na(rows$letters) & rows$letters != ""
    if (any(lettered)) {
      text(at[lettered], (rows$estimate + rows$SE)[lettered], rows$letters[lettered], pos = 3, offset = 0.3)
    }
    data.frame(parameter = parameter, treatment = rows$treatment, at = at, estimate = rows$estimate,
               SE = rows$SE, letters = rows$letters, base = scale$base, stringsAsFactors = FALSE)
  })
  invisible(do.call(rbind, panels))
}

# The core's rule: from zero, unless every whisker lies on one side of zero
# and the end nearest it is more than half as far from zero as the farthest.
study_panel_scale <- function(low, high) {
  low <- min(low)
  high <- max(high)
  if (!(low > 0 && low > high / 2)) low <- min(low, 0)
  if (!(high < 0 && high < low / 2)) high <- max(high, 0)
  span <- high - low
  if (!(span > 0)) span <- max(abs(high), 1) * 0.2
  ticks <- pretty(c(if (low == 0) 0 else low - span * 0.06, high + span * 0.14), n = 4)
  base <- if (min(ticks) > 0) min(ticks) else if (max(ticks) < 0) max(ticks) else 0
  list(ticks = ticks, base = base)
}

study_label <- function(parameter) {
  switch(parameter, lambda = quote(lambda), R0 = quote(R[0]), parameter)
}
