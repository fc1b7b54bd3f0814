#include <gtest/gtest.h>

#include <string>

#include "persistence/IniText.h"

namespace {

// A material file as users keep them: comments, another section, CR LF and LF line ends.
const std::string kMaterialText =
    "; saved by hand\r\n[Other]\r\nRed=1\r\n[Material]\r\nRed=200\r\nGreen = 100\r\nBlue=50\nOpacity=255\n"
    "Diffusion=80\nEmission=10\nReflection=10\n";

// One byte of each kind the syntax tells apart: line ends, blanks, comment marks, brackets, the
// separator, letters of both cases, a control byte and bytes beyond ASCII.
const char kByteClasses[] = {'\0', '\t', '\n', '\r', ' ', '#',    ';',    '=',
                             '[',  ']',  'a',  'R',  '7', '\x7f', '\x80', '\xff'};

const char* const kKeys[] = {"Red", "Green", "Blue", "Opacity", "Diffusion", "Emission", "Reflection"};

// The text comes back byte for byte, and every key set is read back, also from the written text.
::testing::AssertionResult RoundTrips(const std::string& text) {
    IniText ini(text);
    if (ini.Text() != text) return ::testing::AssertionFailure() << "text changed without a change";
    for (const char* key : kKeys)
        ini.SetValue("Material", key, std::string(key) + "-new");
    const IniText written(ini.Text());
    for (const char* key : kKeys)
        if (ini.Value("Material", key) != std::string(key) + "-new" ||
            written.Value("Material", key) != std::string(key) + "-new")
            return ::testing::AssertionFailure() << key << " not read back from\n" << ini.Text();
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(IniTextSweep, EveryPrefixAndEveryKindOfByteChangeRoundTrips) {
    for (size_t length = 0; length <= kMaterialText.size(); ++length)
        ASSERT_TRUE(RoundTrips(kMaterialText.substr(0, length))) << "prefix of " << length << " bytes";
    std::string changed = kMaterialText;
    for (size_t at = 0; at < kMaterialText.size(); ++at) {
        for (char value : kByteClasses) {
            changed[at] = value;
            ASSERT_TRUE(RoundTrips(changed)) << "byte " << at << " set to " << value;
        }
        changed[at] = kMaterialText[at];
    }
}
