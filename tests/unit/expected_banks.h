#pragma once

#include <array>

// The study content as the bank files must hold it: the headword of every
// word row, and the word and answer of every sentence row, in row order.
// Row r of a bank is entry r - 1 here.

namespace tavik::expected {

struct SentenceEntry {
    int wordKey;
    const char* answer;
};

inline constexpr std::array<const char*, 141> kHeadwords = {
    "abolish",       "acquit",       "adapt",         "adjust",     "adopt",
    "adverse",       "assess",       "assign",        "assume",     "authorities",
    "authorization", "authorship",   "averse",        "avert",      "bias",
    "blur",          "cellular",     "certificate",   "chronic",    "clemency",
    "coalition",     "collate",      "collateral",    "commitment", "compile",
    "complement",    "compliment",   "complimentary", "comply",     "comprehensible",
    "comprehensive", "compulsive",   "confidence",    "confident",  "confidential",
    "considerable",  "considerate",  "conspiracy",    "conspire",   "contaminate",
    "corruption",    "credibility",  "crusade",       "custody",    "dazzle",
    "debris",        "deduce",       "deduct",        "deductible", "deductive",
    "delineate",     "demolish",     "depict",        "deploy",     "depose",
    "depot",         "develop",      "direction",     "dispatch",   "dispose",
    "disrupt",       "doubt",        "eligible",      "emergency",  "emit",
    "enact",         "enlist",       "entitled",      "evoke",      "exhibit",
    "exile",         "expand",       "expire",        "explicit",   "extend",
    "falsify",       "fare",         "fee",           "fraction",   "gender",
    "haven",         "indict",       "jeopardy",      "kingpin",    "levy",
    "lurk",          "merge",        "modest",        "modify",     "mogul",
    "objection",     "objective",    "objectivity",   "obsess",     "pact",
    "peril",         "pile",         "pragmatic",     "primitive",  "produce",
    "production",    "productivity", "prosecute",     "quest",      "rate",
    "ration",        "refer",        "reign",         "remit",      "repress",
    "resolute",      "slick",        "sovereignty",   "stair",      "stare",
    "stature",       "subordinate",  "subscribe",     "subsidiary", "substitute",
    "unprecedented", "unveil",       "vindicate",     "volatile",   "warehouse",
    "withdraw",      "withhold",     "withstand",     "zealous",    "arrest",
    "investigation", "extensive",    "fall",          "effect",     "consumer",
    "fire",          "witness",      "assault",       "punish",     "survey",
    "condition",
};

inline constexpr std::array<SentenceEntry, 144> kSentences = {{
    {1, "abolished"},      {2, "acquitted"},       {3, "adapt"},           {4, "adjust"},
    {5, "adopted"},        {6, "Adverse"},         {7, "assessed"},        {8, "assigned"},
    {9, "assume"},         {10, "authorities"},    {11, "authorization"},  {12, "authorship"},
    {13, "averse"},        {14, "averted"},        {15, "bias"},           {16, "blurred"},
    {17, "cellular"},      {18, "certificate"},    {19, "chronic"},        {20, "clemency"},
    {21, "coalition"},     {22, "collated"},       {23, "collateral"},     {24, "commitment"},
    {25, "compile"},       {25, "compiled"},       {26, "complements"},    {27, "compliment"},
    {28, "complimentary"}, {29, "comply"},         {30, "comprehensible"}, {31, "comprehensive"},
    {32, "compulsive"},    {33, "confidence"},     {34, "confident"},      {35, "confidential"},
    {36, "considerable"},  {37, "considerate"},    {38, "conspiracy"},     {39, "conspired"},
    {40, "contaminated"},  {41, "Corruption"},     {42, "credibility"},    {43, "crusades"},
    {44, "custody"},       {45, "dazzled"},        {46, "debris"},         {47, "deduce"},
    {48, "deducted"},      {49, "deductible"},     {50, "deductive"},      {51, "delineate"},
    {52, "Demolishing"},   {53, "depicted"},       {54, "deployed"},       {55, "deposed"},
    {56, "depot"},         {57, "developed"},      {58, "directions"},     {59, "dispatched"},
    {60, "disposes"},      {61, "disrupt"},        {62, "doubt"},          {63, "eligible"},
    {64, "emergency"},     {65, "emitting"},       {66, "enacted"},        {67, "enlist"},
    {68, "entitled"},      {69, "evoked"},         {70, "exhibits"},       {71, "exiled"},
    {72, "expand"},        {73, "expires"},        {74, "explicit"},       {75, "extended"},
    {76, "falsified"},     {77, "fare"},           {78, "Fees"},           {79, "fraction"},
    {80, "Gender"},        {81, "havens"},         {82, "indicted"},       {83, "jeopardy"},
    {84, "kingpin"},       {85, "levy"},           {86, "lurking"},        {87, "merge"},
    {88, "modest"},        {89, "modified"},       {90, "mogul"},          {91, "objection"},
    {92, "objectives"},    {93, "Objectivity"},    {94, "obsessed"},       {95, "pact"},
    {96, "peril"},         {97, "piles"},          {98, "pragmatic"},      {99, "primitive"},
    {100, "produces"},     {101, "production"},    {102, "productivity"},  {103, "prosecute"},
    {104, "quest"},        {105, "Rate"},          {106, "ration"},        {107, "refer"},
    {108, "reigns"},       {109, "remit"},         {110, "repress"},       {111, "resolute"},
    {112, "slick"},        {113, "sovereignty"},   {114, "stair"},         {115, "stared"},
    {116, "stature"},      {117, "subordinates"},  {118, "subscribe"},     {119, "subsidiary"},
    {120, "substitute"},   {121, "unprecedented"}, {122, "unveiled"},      {123, "vindicated"},
    {124, "volatile"},     {125, "warehouse"},     {126, "withdraw"},      {127, "withheld"},
    {128, "withstanding"}, {129, "zealous"},       {130, "arrested"},      {131, "investigation"},
    {132, "extensive"},    {133, "fallen"},        {134, "effect"},        {135, "consumer"},
    {44, "custody"},       {136, "fired"},         {136, "fired"},         {137, "witnesses"},
    {138, "assaulted"},    {139, "punished"},      {140, "survey"},        {141, "condition"},
}};

} // namespace tavik::expected
