#include "core/report/report_texts.h"

namespace cpt::report_texts {
namespace {

constexpr std::array<std::string_view, 3> EfronTibshirani{
    "Efron B., Tibshirani R.J. (1993) An Introduction to the Bootstrap.",
    "   Monographs on Statistics and Applied Probability 57.",
    "   Chapman & Hall, New York.",
};

constexpr std::array<std::string_view, 4> HuangChi{
    "Huang Y.B., Chi H. (2012) Age-stage, two-sex life tables of Bactrocera cucurbitae",
    "   (Coquillett) (Diptera: Tephritidae) with a discussion on the problem of applying",
    "   female age-specific life tables to insect populations.",
    "   Insect Science 19: 263-273.",
};

constexpr std::array<std::string_view, 3> Chi{
    "Chi H. (1988) Life-table analysis incorporating both sexes and variable",
    "   development rates among individuals.",
    "   Environmental Entomology 17: 26-34.",
};

constexpr std::array<std::string_view, 4> Sidak{
    "Sidak Z. (1967)",
    "   Rectangular confidence regions for the means of",
    "   multivariate normal distributions.",
    "   Journal of the American Statistical Association 62: 626-633.",
};

constexpr std::array<std::string_view, 4> DavisonHinkley{
    "Davison A.C., Hinkley D.V. (1997)",
    "   Bootstrap Methods and their Application.",
    "   Cambridge University Press,",
    "   Cambridge.",
};

constexpr std::array<std::string_view, 5> Meyer{
    "Meyer J.S., Ingersoll C.G.,",
    "   McDonald L.L., Boyce M.S. (1986)",
    "   Estimating uncertainty in population growth rates:",
    "   jackknife vs. bootstrap techniques.",
    "   Ecology 67: 1156-1166.",
};

}  // namespace

const std::array<std::string_view, 14> Explanation{
    "The results of significance test using Cartesian products are presented in following 3 ways.",
    "   1. The t confidence intervals (assuming the Cartesian products is normally distributed).",
    "   2. Cartesian percentile confidence intervals of 0.025 and 0.975 percentiles.",
    "   3. P value based on number of Cartesian results showing significant difference.",
    "Because the t confidence intervals is based on the assumption of normal distribution, ",
    "while the percentile confidence interval based on random sampling and Cartesian products,",
    "they are different. Although most biological and ecological data are mostly not normal,",
    "the distribution of Cartesian differences are generally normal (if B and C are large).",
    "Therefore, a large number of resampling (B = 1000, C = 1000,000) is needed to ensure a",
    "reliable estimate. However, a B of 1000 and the corresponding C of 1000,000 are still a tiny",
    "proportion of the exact method using both the multinomail theorem and Cartesian products. ",
    "Because the Cartesian products include all possible combinations of differences, the",
    "confidence intervals of differences based on the multinomial theorem and Cartesian products",
    "are more reliable than the paired bootstrap test based on bootstrap technique alone.",
};

const std::array<Reference, 2> MainReferences{EfronTibshirani, HuangChi};

const std::array<Reference, 4> References{Chi, Sidak, DavisonHinkley, Meyer};

}  // namespace cpt::report_texts
