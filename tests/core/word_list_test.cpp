#include "core/word_list.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(WordList, KeepsDuplicatesAndFindsIgnoringCase) {
  TVnWordList list;
  list.SetCommaText("LOCATE,abs,LOCATE,Ceiling");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.CommaText(), "abs,Ceiling,LOCATE,LOCATE");
  for (const char* word : {"locate", "ABS", "ceiling"})
    EXPECT_TRUE(list.Contains(word)) << word;
  EXPECT_FALSE(list.Contains("LOC"));
  EXPECT_FALSE(list.Contains(""));
}

TEST(WordList, AddKeepsTheOrder) {
  TVnWordList list;
  for (const char* word : {"m", "B", "z", "a"})
    list.Add(word);
  EXPECT_EQ(list.CommaText(), "a,B,m,z");
  EXPECT_TRUE(list.Contains("b"));
}
