#include <gtest/gtest.h>

#include "outside/pellor/transport_data.h"

using namespace vantor::pellor;

TEST(TransportData, ReadsEntriesSkippingCommentsBlankAndEndLines) {
    const auto data = ParseTransportData(
        "! transport data\r\n"
        "\r\n"
        "AR                 0   136.500     3.330     0.000     0.000     0.000\r\n"
        "H2O                2   572.400     2.605     1.844     0.000     4.000 ! remark\r\n"
        "c2h4               2   2.808D+02   3.971     0.000     0.000     1.500\n"
        "END\n"
        "AR                 0   999.000     9.000     0.000     0.000     0.000\n");
    EXPECT_TRUE(data.problems.empty());
    ASSERT_EQ(data.entries.size(), 3u);
    const auto& water = data.entries.at("H2O");
    EXPECT_EQ(water.geometry, 2);
    EXPECT_EQ(water.wellDepth, 572.4);
    EXPECT_EQ(water.collisionDiameter, 2.605);
    EXPECT_EQ(water.dipoleMoment, 1.844);
    EXPECT_EQ(water.rotationalRelaxation, 4.0);
    EXPECT_EQ(water.line, 4);
    EXPECT_EQ(data.entries.at("C2H4").wellDepth, 280.8);  // Fortran D exponent; names match in upper case
    EXPECT_EQ(data.entries.at("C2H4").name, "c2h4");
    ASSERT_EQ(data.repeated.size(), 1u);  // the first entry of a name is kept
    EXPECT_EQ(data.entries.at("AR").wellDepth, 136.5);
    EXPECT_EQ(data.repeated[0].line, 7);
}

TEST(TransportData, NamesTheLineAndTheFaultOfABadEntry) {
    const auto data = ParseTransportData(
        "N2 1 97.53 3.621 0.0 1.76\n"
        "O2 1 107.4 abc 0.0 1.6 3.8\n"
        "CO 3 98.1 3.65 0.0 1.95 1.8\n"
        "CO2 1 0 3.763 0.0 2.65 2.1\n"
        "H 0 145.0 2.05 -1 0.0 0.0\n");
    EXPECT_TRUE(data.entries.empty());
    ASSERT_EQ(data.problems.size(), 5u);
    EXPECT_EQ(data.problems[0].name, "N2");
    EXPECT_EQ(data.problems[0].reason, "expected a name and 6 numbers, found 5 values");
    EXPECT_EQ(data.problems[1].line, 2);
    EXPECT_EQ(data.problems[1].reason, "\"abc\" is not a number");
    EXPECT_EQ(data.problems[1].text, "O2 1 107.4 abc 0.0 1.6 3.8");
    EXPECT_EQ(data.problems[2].reason, "geometry 3 is not 0, 1 or 2");
    EXPECT_EQ(data.problems[3].reason, "well depth 0 is not above 0");
    EXPECT_EQ(data.problems[4].reason, "a negative dipole moment, polarizability or rotational relaxation");
}
