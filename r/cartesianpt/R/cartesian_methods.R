print.cartesian_test <- function(x, ...) {
  t <- x$treatments
  cat(sprintf("Cartesian paired test of %s: %d treatments, %s, %s%s\n", x$parameter, nrow(t),
              counted(nrow(x$pairs), "pair"), transformation_text(x$transformation),
              if (x$reversed) " (ascending means)" else ""))
  cat(sprintf("F = %s (df %s and %s), Sidak alpha = %s\n", format(x$anova$F, digits = 6),
              format(x$anova$df_between), format(x$anova$df_within), format(x$sidak_alpha, digits = 6)))
  shown <- t[c("number", "name", "n", "B", "estimate", "mean", "SE", "letters")]
  print(shown, digits = 6, row.names = FALSE)
  if (anyNA(t$letters)) cat("The groups of similar treatments outnumber the 52 letters: no letters.\n")
  invisible(x)
}

# "1 pair", "3 pairs".
counted <- function(count, noun) sprintf("%d %s%s", count, noun, if (count == 1L) "" else "s")

transformation_text <- function(transformation) {
  if (identical(transformation, "none")) "no transformation" else paste(transformation, "transformation")
}

summary.cartesian_test <- function(object, ...) {
  structure(list(parameter = object$parameter, treatments = object$treatments, pairs = object$pairs,
                 anova = object$anova, sidak_alpha = object$sidak_alpha, transformation = object$transformation),
            class = "summary.cartesian_test")
}

print.summary.cartesian_test <- function(x, ...) {
  cat(sprintf("Cartesian paired test of %s, %s\n\nTreatments (in mean order):\n", x$parameter,
              transformation_text(x$transformation)))
  print(x$treatments[c("number", "name", "n", "B", "estimate", "mean", "SE", "letters")],
        digits = 6, row.names = FALSE)
  cat("\nPairs (differences larger minus smaller mean):\n")
  p <- x$pairs
  shown <- data.frame(pair = paste(p$first_name, "vs", p$second_name), mean_difference = p$mean_difference,
                      t_lower = p$t_lower, t_upper = p$t_upper, percentile_lower = p$percentile_lower,
                      percentile_upper = p$percentile_upper, p_value = p$p_value)
  print(shown, digits = 4, row.names = FALSE)
  cat(sprintf("\nOne-way analysis of variance: F = %s, df between = %s, df within = %s\n",
              format(x$anova$F, digits = 6), format(x$anova$df_between), format(x$anova$df_within)))
  cat(sprintf("Sidak alpha for %s: %s\n", counted(nrow(p), "pair"), format(x$sidak_alpha, digits = 6)))
  invisible(x)
}

as.data.frame.cartesian_test <- function(x, row.names = NULL, optional = FALSE, ...) {
  treatments <- x$treatments
  if (!is.null(row.names)) rownames(treatments) <- row.names
  treatments
}
