\name{study_table}
\alias{study_table}
\alias{write_study_table}
\alias{plot.cpt_study_table}
\title{The Study Table of Several Parameters}
\description{
  The table a paper gives for a life-table study: one row per parameter,
  one column per treatment, each cell \dQuote{estimate \eqn{\pm} SE letters}
  from that parameter's Cartesian paired test, rounded as the program's
  study table is (the SE to \code{digits} significant digits, the estimate
  to the same place). \code{study_table} gives it as tidy rows;
  \code{write_study_table} writes it as a file.
}
\usage{
study_table(x, ..., order = NULL, digits = 2)
write_study_table(table, path, format = c("csv", "xlsx", "html", "tex", "md", "docx"))
\method{plot}{cpt_study_table}(x, y, ..., style = c("bars", "points"))
}
\arguments{
  \item{x, ...}{the parameters: each a character vector of files (the forms
    \code{\link{read_bootstrap}} reads), \code{\link{read_bootstrap}}
    treatments, a \code{\link{cartesian_test}} result or a
    \code{\link{life_table}} result (every parameter whose bootstrap files
    it wrote, each named by its code), given as a named
    list \code{x} or as \code{x} and further arguments (named by parameter;
    unnamed ones take their parameter's code). Files are grouped by their
    treatments' parameter codes, as \command{cpt study} groups them: files
    of several parameters, such as a long table with a column
    \code{parameter}, give one row each and are given without a name. Or
    \code{x} a long data frame with the columns
    \code{parameter}, \code{treatment}, \code{value}, \code{n} and
    \code{estimate} (\code{n} and \code{estimate} the same on every row of a
    treatment in a parameter).}
  \item{order}{the treatments in the order of the table's columns;
    \code{NULL}: in the order they first appear.}
  \item{digits}{significant digits of the SE, 1 to 15.}
  \item{table}{a \code{study_table} result, or the rows of some of its
    parameters (all of a parameter's rows or none, unchanged), which are
    written alone; a table changed otherwise is refused.}
  \item{path}{the file to write; a file there is replaced only once the new
    one is whole.}
  \item{y}{not used.}
  \item{style}{the estimates as \code{"bars"} or \code{"points"}.}
  \item{format}{the file's format, named in full; by default the path's
    extension, which must then be one of the formats. \code{"xlsx"} is a
    workbook with the printed table and the tidy data, \code{"docx"} a Word
    document.}
}
\value{
  \code{study_table}: a data frame (class \code{cpt_study_table}) of
  \code{parameter}, \code{treatment}, \code{n}, \code{B}, \code{estimate},
  \code{SE}, \code{letters} and \code{cell}, parameter by parameter in
  column order. \code{write_study_table}: the path written.
  \code{plot} draws the figure \command{cpt study --figures} draws: a panel
  per parameter (at most three a row), each treatment's estimate with a
  whisker of \eqn{\pm} SE and its letters above; the axis starts at zero
  unless every whisker lies on one side of it and far from it. It returns
  the drawn values invisibly, one row per bar.
}
\seealso{\code{\link{cartesian_test}}}
\examples{
files <- system.file("extdata", c("Maize.txt", "Sorghum.txt", "Wheat.txt"),
                     package = "cartesianpt")
table <- study_table(list(r = files), order = c("Wheat", "Sorghum", "Maize"))
table
path <- write_study_table(table, tempfile(fileext = ".html"))
basename(path)
plot(table)

## A long table of two parameters gives both rows.
study_table(system.file("extdata", "life_table.csv", package = "cartesianpt"))
}
