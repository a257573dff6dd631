// Number texts use "." whatever locale the host program has set.

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "calculate_case.h"
#include "numbers.h"

namespace ombra {
namespace {

struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class UnderDecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        savedC_ = std::setlocale(LC_ALL, nullptr);
        savedCpp_ = std::locale();
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                cLocaleSet_ = true;
                break;
            }
        }
        std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, savedC_.c_str());
        std::locale::global(savedCpp_);
    }

    std::string savedC_;
    std::locale savedCpp_;
    bool cLocaleSet_ = false;
};

TEST_F(UnderDecimalCommaLocale, ResultsAndConversionsKeepThePoint) {
    EXPECT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    EXPECT_EQ(testing::calculate("1/4"), ".25");
    EXPECT_EQ(testing::calculate("2.5*2"), "5");
    EXPECT_EQ(testing::calculate("sin(-100/20)*300"), "287.677282398941");
    EXPECT_EQ(testing::calculate("1,5"), "ERROR#3");
    EXPECT_EQ(testing::calculate("1.5E-7"), "1.5E-07");
    EXPECT_EQ(numbers::numberText(1234.5), " 1234.5");
    EXPECT_EQ(numbers::strictToDouble("2.25"), 2.25);
    if (cLocaleSet_) {
        EXPECT_EQ(std::localeconv()->decimal_point[0], ',');
    }
}

}  // namespace
}  // namespace ombra
