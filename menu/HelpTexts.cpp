#include "menu/HelpTexts.h"

namespace help {

text::TextList HelpLines(Topic topic) {
    switch (topic) {
        case Topic::Clear:
            return {u"クリア基準は以下のとおりです", u"　３回入力し、ミスが０であること",
                    u"　打数が60字/分以上であること(インディケータより速く打てること）"};
        case Topic::Space:
            return {u"スペースキーを押して下さい。",
                    u"キー入力が速いことも重要ですが、変換キーをうまく使いこなせるか"
                    u"否かは速い入力できるかの重要な要素となります。"};
        case Topic::Left:
            return {u"BackSpaceキーを押して下さい。",
                    u"キー入力が速いことも重要ですが、このキーを速く打てるかどうかが"
                    u"ミスタッチをしたときにすぐ立ち直れるかのカギを握っています。"};
        case Topic::Ent:
            return {u"Enterキーを押して下さい", u"ひらがなの無変換はこのキーを押します"};
        case Topic::Indicator:
            return {u"フォーム下部に表示する青色のバーのこと",
                    u"これより速く打てれば基準をクリアします"};
        case Topic::Color:
            return {u"クリアすると、ボタンの色が変わります", u"　赤が60字／分以上（全商３級程度）",
                    u"　黄が90字／分以上（全商２級程度）", u"　青が120字／分以上（全商１級程度）",
                    u"　？色　150字／分以上"};
        case Topic::Developper:
            return {u"開発  県立薫風高校"};
    }
    return {};
}

text::Text HelpPrompt(Topic topic) {
    return text::Join(HelpLines(topic), u"\r");
}

}  // namespace help
