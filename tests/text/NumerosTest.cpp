#include <gtest/gtest.h>

#include "text/Numeros.h"

namespace pasaplan {
namespace {

TEST(LeerEntero, SignoYCifrasSinMas) {
    EXPECT_EQ(LeerEntero("480"), 480);
    EXPECT_EQ(LeerEntero("+480"), 480);
    EXPECT_EQ(LeerEntero("-007"), -7);
    for (const char* malo : {"", "+", "-", "4 8", "48a", "--4", "+-4", "4.0", " 48", "48 "}) {
        EXPECT_FALSE(LeerEntero(malo)) << malo;
    }
}

TEST(LeerEntero, BlancosSegunLaLectura) {
    EXPECT_EQ(LeerEntero("  -5", Blancos::Delante), -5);
    EXPECT_FALSE(LeerEntero("5 ", Blancos::Delante));
    EXPECT_FALSE(LeerEntero("- 5", Blancos::Delante));
    EXPECT_EQ(LeerEntero("  17  ", Blancos::Alrededor), 17);
    EXPECT_FALSE(LeerEntero("   ", Blancos::Alrededor));
}

TEST(LeerEntero, LimitesSinDesbordar) {
    EXPECT_EQ(LeerEntero("2147483647"), INT_MAX);
    EXPECT_EQ(LeerEntero("-2147483648"), INT_MIN);
    EXPECT_FALSE(LeerEntero("2147483648"));
    EXPECT_FALSE(LeerEntero("-2147483649"));
    EXPECT_EQ(LeerEntero("00000000000000000000000012"), 12);  // zeros do not count
    EXPECT_FALSE(LeerEntero("99999999999999999999999999", Blancos::Ninguno, -LLONG_MAX, LLONG_MAX));
    EXPECT_EQ(LeerEntero("9223372036854775807", Blancos::Ninguno, -LLONG_MAX, LLONG_MAX),
              LLONG_MAX);
    EXPECT_FALSE(LeerEntero("-1", Blancos::Ninguno, 0, 10));
}

TEST(LeerMinutos, CeroDelanteDeLosCortos) {
    EXPECT_EQ(LeerMinutos(""), 0);
    EXPECT_EQ(LeerMinutos("480"), 480);
    EXPECT_EQ(LeerMinutos("+480"), 480);
    EXPECT_EQ(LeerMinutos("-480"), -480);
    EXPECT_FALSE(LeerMinutos("+48"));  // "0+48"
    EXPECT_FALSE(LeerMinutos("9:00"));
    EXPECT_EQ(LeerMinutos("999999999"), 999999999);
    EXPECT_FALSE(LeerMinutos("1000000000"));
}

TEST(LeerMinutosReloj, PartesYLaParteMala) {
    EXPECT_EQ(LeerMinutosReloj("08:30").minutos, 510);
    EXPECT_EQ(LeerMinutosReloj("8:30").minutos, 510);
    EXPECT_EQ(LeerMinutosReloj(" 8:30").minutos, 510);
    EXPECT_EQ(LeerMinutosReloj("").minutos, 0);
    const MinutosDeReloj malo = LeerMinutosReloj("08:3x");
    EXPECT_FALSE(malo.minutos);
    EXPECT_EQ(malo.parteMala, "3x");
}

}  // namespace
}  // namespace pasaplan
