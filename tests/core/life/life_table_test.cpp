#include "core/life/life_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace cpt::life {
namespace {

Individual female(std::string name, std::vector<double> eggs) { return {std::move(name), Sex::Female, std::move(eggs)}; }
Individual male(std::string name, int days) {
    return {std::move(name), Sex::Male, std::vector<double>(static_cast<std::size_t>(days), 0.0)};
}
Individual unknown(std::string name, std::vector<double> eggs) { return {std::move(name), Sex::Unknown, std::move(eggs)}; }

// The root of sum w_x q^x = 1 in q = e^-r, by bisection in long double: another
// road to r than the program's, for cases without a root in closed form.
double rootByBisection(const std::vector<std::pair<int, double>>& weights) {
    long double lo = 0, hi = 1e6L;
    auto f = [&](long double q) {
        long double sum = 0;
        for (const auto& [x, w] : weights) sum += static_cast<long double>(w) * std::pow(q, static_cast<long double>(x));
        return sum - 1;
    };
    for (int i = 0; i < 400; ++i) {
        const long double mid = (lo + hi) / 2;
        (f(mid) < 0 ? lo : hi) = mid;
    }
    return static_cast<double>(-std::log((lo + hi) / 2));
}

struct CohortCase {
    std::string name;
    std::vector<Individual> individuals;
    Cohort cohort;
    double s;
    std::vector<double> lx, mx;  // from age 1
    double R0, GRR;
    std::optional<double> r;  // none: no offspring
    std::optional<double> T;
    double longevity;
    std::optional<double> fecundity;
};

// a and b are females, c a male that lives 4 days, d dies on its first day.
std::vector<Individual> cohortOfFour() {
    return {female("a", {0, 5, 16}), female("b", {0, 3}), male("c", 4),
            unknown("d", {0})};
}

std::vector<CohortCase> cohortCases() {
    std::vector<CohortCase> cases;
    // N = 4 3 2 1, E = 0 8 16 0: lxmx at ages 2 and 3 are 2 and 4, so
    // 2 q^2 + 4 q^3 = 1 at q = 1/2: r = ln 2.
    cases.push_back({"every individual", cohortOfFour(), Cohort::All, 1, {1, 0.75, 0.5, 0.25},
                     {0, 8.0 / 3, 8, 0}, 6, 8.0 / 3 + 8, std::log(2.0), std::log(6.0) / std::log(2.0), 2.5, 12});
    // The females a and b: N = 2 2 1, E = 0 8 16: lxmx 4 and 8.
    cases.push_back({"females only", cohortOfFour(), Cohort::Females, 1, {1, 1, 0.5}, {0, 4, 16}, 12, 20,
                     rootByBisection({{2, 4}, {3, 8}}), std::log(12.0) / rootByBisection({{2, 4}, {3, 8}}), 2.5, 12});
    // s = 0.5 halves m_x: lxmx 1 and 2.
    cases.push_back({"s = 0.5", cohortOfFour(), Cohort::All, 0.5, {1, 0.75, 0.5, 0.25}, {0, 4.0 / 3, 4, 0}, 3,
                     4.0 / 3 + 4, rootByBisection({{2, 1}, {3, 2}}), std::log(3.0) / rootByBisection({{2, 1}, {3, 2}}),
                     2.5, 12});
    // E = 0 2 2 0 over n0 = 4: lxmx 0.5 and 0.5, R0 = 1, r = 0, T the mean age 2.5.
    cases.push_back({"R0 = 1", {female("a", {0, 1, 2}), female("b", {0, 1}), male("c", 4), unknown("d", {0})},
                     Cohort::All, 1, {1, 0.75, 0.5, 0.25}, {0, 2.0 / 3, 1, 0}, 1, 2.0 / 3 + 1, 0.0, 2.5, 2.5, 2});
    // All the offspring on the first day, by one that dies then: 2 q = 1.
    cases.push_back({"eggs only on the day of death", {female("a", {4}), male("b", 2)}, Cohort::All, 1, {1, 0.5},
                     {2, 0}, 2, 2, std::log(2.0), 1, 1.5, 4});
    // Males only: no offspring, no r or T, lambda 0, no fecundity.
    cases.push_back({"males only", {male("b", 2), male("c", 3)}, Cohort::All, 1, {1, 1, 0.5}, {0, 0, 0}, 0, 0,
                     std::nullopt, std::nullopt, 2.5, std::nullopt});
    return cases;
}

TEST(LifeTable, CohortCasesWorkedOutByHand) {
    for (const CohortCase& c : cohortCases()) {
        SCOPED_TRACE(c.name);
        TreatmentRecords treatment;
        treatment.individuals = c.individuals;
        treatment.hasSex = true;
        const std::vector<const Individual*> cohort = cohortOf(treatment, c.cohort);
        const LifeTable table = lifeTableOf(cohort, c.s);
        ASSERT_EQ(table.rows.size(), c.lx.size());
        for (std::size_t x = 0; x < c.lx.size(); ++x) {
            EXPECT_EQ(table.rows[x].age, static_cast<double>(x + 1));
            EXPECT_DOUBLE_EQ(table.rows[x].lx, c.lx[x]) << "age " << x + 1;
            EXPECT_DOUBLE_EQ(table.rows[x].mx, c.mx[x]) << "age " << x + 1;
            EXPECT_DOUBLE_EQ(table.rows[x].lxmx, c.lx[x] * c.mx[x]) << "age " << x + 1;
        }
        const Estimates& e = table.estimates;
        EXPECT_DOUBLE_EQ(*e.R0, c.R0);
        EXPECT_DOUBLE_EQ(*e.GRR, c.GRR);
        ASSERT_EQ(e.r.has_value(), c.r.has_value());
        if (c.r) {
            EXPECT_NEAR(*e.r, *c.r, 1e-14);
            EXPECT_NEAR(*e.lambda, std::exp(*c.r), 1e-14);
            EXPECT_NEAR(*e.T, *c.T, 1e-12);
        } else {
            EXPECT_EQ(*e.lambda, 0.0);
            EXPECT_FALSE(e.T.has_value());
        }
        EXPECT_DOUBLE_EQ(*e.longevity, c.longevity);
        ASSERT_EQ(e.fecundity.has_value(), c.fecundity.has_value());
        if (c.fecundity) EXPECT_DOUBLE_EQ(*e.fecundity, *c.fecundity);
    }
}

TEST(LifeTable, RZeroIsExactWhereR0IsOne) {
    const std::vector<Individual> individuals = {female("a", {0, 1, 2}), female("b", {0, 1}), male("c", 4)};
    std::vector<const Individual*> cohort;
    for (const Individual& i : individuals) cohort.push_back(&i);
    // n0 = 3, E = 0 2 2: lxmx 2/3 at ages 2 and 3 sum to 4/3; halve with s.
    const LifeTable table = lifeTableOf(cohort, 0.75);
    EXPECT_EQ(*table.estimates.R0, 1.0);
    EXPECT_EQ(*table.estimates.r, 0.0);
    EXPECT_EQ(*table.estimates.lambda, 1.0);
    EXPECT_DOUBLE_EQ(*table.estimates.T, 2.5);
}

// Where e^-r = 1/1.1 every term of the sum is c_x, which add up to 1.
TEST(LifeTable, AggregateTableWithAKnownRoot) {
    std::vector<AgeRow> rows;
    double R0 = 0;
    for (int x = 0; x <= 9; ++x) {
        const double lx = 1 - 0.05 * x;
        const double weight = x < 5 ? 0.0 : 0.2 * std::pow(1.1, x);
        rows.push_back({static_cast<double>(x), lx, weight / lx});
        R0 += weight;
    }
    const LifeTable table = aggregateLifeTable(rows);
    EXPECT_NEAR(*table.estimates.r, std::log(1.1), 1e-13);
    EXPECT_NEAR(*table.estimates.R0, R0, 1e-13);
    double GRR = 0;
    for (const AgeRow& row : rows) GRR += row.mx;
    EXPECT_DOUBLE_EQ(*table.estimates.GRR, GRR);
    EXPECT_NEAR(*table.estimates.T, std::log(R0) / std::log(1.1), 1e-11);
    ASSERT_EQ(table.rows.size(), 10U);
    EXPECT_FALSE(table.rows[0].N.has_value());
    EXPECT_FALSE(table.estimates.longevity.has_value());
}

TEST(EulerLotka, RootsToTheLastBits) {
    // 2 q^2 + 4 q^3 = 1 at q = 1/2; a weight at age 0 shifts it: 0.5 + 0.5 q = 1 at q = 1.
    struct Case {
        std::vector<double> ages, weights;
        std::optional<double> root;
    };
    const std::vector<Case> cases = {
        {{2, 3}, {2, 4}, std::log(2.0)},
        {{0, 1}, {0.5, 0.5}, 0.0},
        {{1}, {1e-300}, std::log(1e-300)},  // far below 0: the bracket grows until it holds the root
        {{40}, {1e30}, std::log(1e30) / 40},
        {{0}, {0.5}, std::nullopt},          // no weight at a positive age
        {{0, 3}, {1.0, 2.0}, std::nullopt},  // the sum never falls below 1
    };
    for (const Case& c : cases) {
        const std::optional<double> r = eulerLotkaRoot(c.ages, c.weights);
        ASSERT_EQ(r.has_value(), c.root.has_value());
        if (!c.root) continue;
        EXPECT_NEAR(*r, *c.root, 4 * std::numeric_limits<double>::epsilon() * std::max(1.0, std::fabs(*c.root)));
    }
}

TEST(EulerLotka, TheRootLeavesTheSmallestResidualOfItsNeighbours) {
    const std::vector<double> ages = {3, 4, 5, 7, 12}, weights = {0.11, 0.37, 0.29, 0.53, 0.71};
    const double r = *eulerLotkaRoot(ages, weights);
    auto residual = [&](double x) {
        double sum = 0;
        for (std::size_t k = 0; k < ages.size(); ++k) sum += weights[k] * std::exp(-x * ages[k]);
        return std::fabs(sum - 1);
    };
    EXPECT_LE(residual(r), residual(std::nextafter(r, 1.0)));
    EXPECT_LE(residual(r), residual(std::nextafter(r, -1.0)));
    EXPECT_LT(residual(r), 1e-15);
}

TEST(SampleEstimator, CountsActAsRepeatedIndividuals) {
    const std::vector<Individual> individuals = cohortOfFour();
    std::vector<const Individual*> cohort;
    for (const Individual& i : individuals) cohort.push_back(&i);
    SampleEstimator estimator(cohort, 0.5);
    const std::vector<std::uint32_t> counts = {2, 0, 1, 1};
    const Estimates drawn = estimator.estimate(counts);
    const std::vector<const Individual*> repeated = {cohort[0], cohort[0], cohort[2], cohort[3]};
    const Estimates expected = lifeTableOf(repeated, 0.5).estimates;
    for (LifeParameter parameter : AllLifeParameters) {
        SCOPED_TRACE(std::string(parameterCode(parameter)));
        ASSERT_EQ(drawn.of(parameter).has_value(), expected.of(parameter).has_value());
        if (expected.of(parameter)) EXPECT_EQ(*drawn.of(parameter), *expected.of(parameter));
    }
    // a twice, c and d: N = 4 3 2 1, E = 0 10 32 0, s = 0.5.
    EXPECT_DOUBLE_EQ(*drawn.R0, 0.5 * (10 + 32) / 4.0);
    EXPECT_DOUBLE_EQ(*drawn.fecundity, 21);
    EXPECT_DOUBLE_EQ(*drawn.longevity, (3 + 3 + 4 + 1) / 4.0);
}

TEST(LifeParameters, CodesRoundTrip) {
    for (LifeParameter parameter : AllLifeParameters) EXPECT_EQ(parameterOfCode(parameterCode(parameter)), parameter);
    EXPECT_FALSE(parameterOfCode("r0").has_value());  // the codes keep their letter case
}

}  // namespace
}  // namespace cpt::life
