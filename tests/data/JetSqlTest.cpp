#include "framework/data/ConnectionString.h"
#include "framework/data/JetSql.h"

#include <gtest/gtest.h>

namespace {

std::string Translate(const std::string& Jet)
{
    std::string Out, Error;
    EXPECT_TRUE(TranslateJetSql(Jet, Out, Error)) << Error;
    return Out;
}

bool Rejects(const std::string& Jet)
{
    std::string Out, Error;
    bool Ok = TranslateJetSql(Jet, Out, Error);
    return !Ok && !Error.empty() && Out.empty();
}

} // namespace

TEST(JetSql, DoubleQuotedLiteralsBecomeTextAndTheRestStaysAsItIs)
{
    EXPECT_EQ(Translate("select  *  from 饮食 where 菜谱=\"鱼\"and 类别=\"川菜\""),
              "select  *  from 饮食 where 菜谱='鱼'and 类别='川菜'");
    EXPECT_EQ(Translate("SELECT  distinct 类别 FROM 饮食"), "SELECT  distinct 类别 FROM 饮食");
    EXPECT_EQ(Translate("where a=\"\""), "where a=''");
    // A doubled quote stands for one; a single quote inside is doubled for the engine.
    EXPECT_EQ(Translate("x=\"say \"\"hi\"\"\""), "x='say \"hi\"'");
    EXPECT_EQ(Translate("x=\"it's\""), "x='it''s'");
    EXPECT_EQ(Translate("x=\"a--b;c\r\nd\""), "x='a--b;c\r\nd'");
}

TEST(JetSql, NamesSingleQuotesAndCommentsAreTakenWhole)
{
    EXPECT_EQ(Translate("select [菜 谱] from [饮食]"), "select \"菜 谱\" from \"饮食\"");
    EXPECT_EQ(Translate("select [a\"b]"), "select \"a\"\"b\"");
    // Quotes inside single-quoted literals, back-quoted names and comments are not literals.
    EXPECT_EQ(Translate("x='say \"hi\"' and y='it''s'"), "x='say \"hi\"' and y='it''s'");
    EXPECT_EQ(Translate("x=1 -- \"note\"\ny=\"v\""), "x=1 -- \"note\"\ny='v'");
    EXPECT_EQ(Translate("x=1 /* \" */ y=\"v\""), "x=1 /* \" */ y='v'");
    EXPECT_EQ(Translate("select `a\"b`"), "select `a\"b`");
}

TEST(JetSql, UnfinishedTextIsRefused)
{
    EXPECT_TRUE(Rejects("where a=\"open"));
    EXPECT_TRUE(Rejects("where a=\"x\"\""));
    EXPECT_TRUE(Rejects("select [open"));
    EXPECT_TRUE(Rejects("where a='open"));
    EXPECT_TRUE(Rejects("x /* open"));
    EXPECT_TRUE(Rejects(std::string("a\0b", 3)));
    // A value with an undoubled quote leaves the literal early; the rest is no longer text.
    EXPECT_EQ(Translate("where a=\"x\" or 1=1 --\""), "where a='x' or 1=1 --\"");
}

TEST(ConnectionString, ReadsTheRecipeWindowsString)
{
    TConnectionString S("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Dorvanet.mdb;Persist Security Info=False;"
                        "Jet OLEDB:Database Password=pw7Kd2Qx9Lm4Rt");
    EXPECT_TRUE(S.Valid());
    EXPECT_EQ(S.Value("provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(S.Value("DATA SOURCE"), "Dorvanet.mdb");
    EXPECT_EQ(S.Value("Jet OLEDB:Database Password"), "pw7Kd2Qx9Lm4Rt");
    EXPECT_FALSE(S.HasKey("User ID"));
}

TEST(ConnectionString, QuotesBlanksRepeatsAndMistakes)
{
    TConnectionString S(" Data Source = 菜谱.mdb ; Password='a;''b' ;;Data Source=last.mdb;");
    EXPECT_TRUE(S.Valid());
    EXPECT_EQ(S.Value("Password"), "a;'b");
    EXPECT_EQ(S.Value("Data Source"), "last.mdb");
    EXPECT_FALSE(TConnectionString("Provider=x;garbage").Valid());
    EXPECT_FALSE(TConnectionString("Password=\"open").Valid());
    EXPECT_FALSE(TConnectionString("=value").Valid());
}
