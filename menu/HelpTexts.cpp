#include "menu/HelpTexts.h"

namespace help {

QStringList HelpLines(Topic topic) {
    switch (topic) {
        case Topic::Clear:
            return {
                QStringLiteral("クリア基準は以下のとおりです"),
                QStringLiteral("　３回入力し、ミスが０であること"),
                QStringLiteral("　打数が60字/分以上であること(インディケータより速く打てること）")};
        case Topic::Space:
            return {QStringLiteral("スペースキーを押して下さい。"),
                    QStringLiteral("キー入力が速いことも重要ですが、変換キーをうまく使いこなせるか"
                                   "否かは速い入力できるかの重要な要素となります。")};
        case Topic::Left:
            return {QStringLiteral("BackSpaceキーを押して下さい。"),
                    QStringLiteral("キー入力が速いことも重要ですが、このキーを速く打てるかどうかが"
                                   "ミスタッチをしたときにすぐ立ち直れるかのカギを握っています。")};
        case Topic::Ent:
            return {QStringLiteral("Enterキーを押して下さい"),
                    QStringLiteral("ひらがなの無変換はこのキーを押します")};
        case Topic::Indicator:
            return {QStringLiteral("フォーム下部に表示する青色のバーのこと"),
                    QStringLiteral("これより速く打てれば基準をクリアします")};
        case Topic::Color:
            return {QStringLiteral("クリアすると、ボタンの色が変わります"),
                    QStringLiteral("　赤が60字／分以上（全商３級程度）"),
                    QStringLiteral("　黄が90字／分以上（全商２級程度）"),
                    QStringLiteral("　青が120字／分以上（全商１級程度）"),
                    QStringLiteral("　？色　150字／分以上")};
        case Topic::Developper:
            return {QStringLiteral("開発  県立薫風高校")};
    }
    return {};
}

QString HelpPrompt(Topic topic) {
    return HelpLines(topic).join(QChar(13));
}

}  // namespace help
