# An empty folder of its own for a test, under R's session folder (removed
# when the session ends).
new_dir <- function() {
  dir <- tempfile("cpt-")
  dir.create(dir)
  dir
}

