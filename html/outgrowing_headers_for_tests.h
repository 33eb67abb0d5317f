// Headers whose outputs are many times their size, where the markup
// outgrows the texts most: for the tests of the bounds of the outputs'
// sizes.
#ifndef VARNEL_HTML_OUTGROWING_HEADERS_FOR_TESTS_H_
#define VARNEL_HTML_OUTGROWING_HEADERS_FOR_TESTS_H_

#include <string>
#include <vector>

inline std::vector<std::string> HeadersThatOutgrowTheirTexts() {
  // Tiny declarations.
  std::string tiny;
  for (int i = 0; i < 2000; ++i)
    tiny += "f" + std::to_string(i) + "(int,int);\n";
  // Texts that are all entities or commas.
  std::string escaped = "class C\n{\npublic:\n";
  for (int i = 0; i < 200; ++i)
    escaped += "int g" + std::to_string(i) +
               "(\xDF\xDF\xDF\xDF \"&<> a = \"\xDF\xDF\");\nint v" +
               std::to_string(i) + " = {1,,,,,,,,,,,,,,,,2};\n";
  escaped += "};\n";
  const std::string commas = "int w = {" + std::string(5000, ',') + "};\n";
  const std::string sharp = "int " + std::string(3000, '\xDF') + "(int " +
                            std::string(3000, '"') + ");\n";
  // Many classes of one name, each written as the first, largest one.
  std::string same = "class S\n{\npublic:\n";
  for (int i = 0; i < 60; ++i)
    same += "int m" + std::to_string(i) + "(int a, int b);\n";
  same += "};\n";
  for (int i = 0; i < 30; ++i)
    same += "class S\n{\n};\n";
  // A long class name, in every link to the class's blocks.
  std::string longName = "class C" + std::string(2000, 'x') + "\n{\npublic:\n";
  for (int i = 0; i < 50; ++i)
    longName += "void m" + std::to_string(i) + "();\n";
  longName += "};\n";
  // Parameters of one letter, each written with its placeholder.
  std::string letters;
  for (int i = 0; i < 300; ++i)
    letters += "void p" + std::to_string(i) + "(a,b,c,d,e,f,g,h);\n";
  return {tiny, escaped, commas, sharp, same, longName, letters};
}

#endif  // VARNEL_HTML_OUTGROWING_HEADERS_FOR_TESTS_H_
