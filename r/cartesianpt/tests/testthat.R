library(testthat)
library(cartesianpt)

test_check("cartesianpt")
