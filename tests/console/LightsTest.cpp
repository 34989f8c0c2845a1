// The sixteen lights: the pattern of a packet's first four characters, and the running light.
#include "ConsoleFixture.h"

namespace {

class Lights : public ConsoleWithTerminalTest {
protected:
    // One letter per light: 1 on, 0 off, e error, g running green, p panel.
    std::string Picture() {
        std::string text;
        for (int n = 1; n <= 16; ++n) {
            const TColor c = form->Light(n)->Brush()->Color();
            text += c == form->OnColor ? '1' : c == form->OffColor ? '0' : c == form->ErrorColor ? 'e' : '?';
        }
        return text;
    }

    // 'p': a light in the panel's colour, which is the skin's once the form is skinned.
    std::string Running() {
        std::string text;
        for (int n = 1; n <= 16; ++n) {
            const TColor c = form->Light(n)->Brush()->Color();
            text += c == 0x00FF00 ? 'g' : c == form->Panel1->Color() ? 'p' : '?';
        }
        return text;
    }
};

}  // namespace

TEST_F(Lights, ThePatternShowsTheBitsOfTheFirstFourHexCharacters) {
    form->LightMode = 0;
    form->OnColor = clYellow;
    form->OffColor = clNavy;
    SendFromTerminal(*terminal, Bytes("0F0f and more"));
    EXPECT_EQ(Picture(), "0000111100001111");
    SendFromTerminal(*terminal, Bytes("12"));
    EXPECT_EQ(Picture(), "0000111100001111") << "fewer than four characters change nothing";
    SendFromTerminal(*terminal, Bytes("gggg"));
    EXPECT_EQ(Picture(), "eeeeeeeeeeeeeeee");
    EXPECT_EQ(form->ErrorColor, 0x10480D) << "error lights blend into the panel";
    SendFromTerminal(*terminal, Bytes("A5x3"));
    EXPECT_EQ(Picture(), "10100101eeee0011");
}

TEST_F(Lights, TheRunningLightStepsOncePerPacketAndWrapsFromSixteenToOne) {
    ASSERT_EQ(form->LightMode, 1);
    SendFromTerminal(*terminal, Bytes("x"));
    EXPECT_EQ(Running(), "gppppppppppppppp");
    for (int i = 0; i < 15; ++i) SendFromTerminal(*terminal, Bytes("x"));
    EXPECT_EQ(Running(), "pppppppppppppppg");
    EXPECT_EQ(form->LightMode, 1);
    SendFromTerminal(*terminal, Bytes("x"));
    EXPECT_EQ(Running(), "gppppppppppppppp");
}

TEST_F(Lights, ClearingEmptiesTheMemoAndPutsTheLightsInError) {
    form->LightMode = 0;
    SendFromTerminal(*terminal, Bytes("FFFF"));
    EXPECT_EQ(Picture(), "1111111111111111");
    ClickControl(form->ToolButton4);
    EXPECT_TRUE(MemoLines().empty());
    EXPECT_EQ(Picture(), "eeeeeeeeeeeeeeee");
}
