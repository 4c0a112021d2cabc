#include "audio/PlaySample.h"
#include "audio/SoundSetting.h"
#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/director/CCDirector.h"
#include "engine/input/CCTouchDispatcher.h"
#include "engine/text/CCLabelBMFont.h"
#include "engine/text/CCTextFieldTTF.h"
#include "engine/textures/CCTexture2D.h"
#include "engine/textures/CCTextureCache.h"
#include "menu/AdMode.h"
#include "menu/ColorList.h"
#include "menu/MenuFunctionRegistry.h"
#include "menu/MenuItemFontAndSprite.h"
#include "menu/MenuItemValues.h"
#include "menu/MenuLayer.h"
#include "menu/MenuLayerMenu.h"

using namespace cocos2d;

namespace {

constexpr std::string_view kBannerPrefix = "banner_click";
constexpr int kBannerActionTag = 0xBA22E7;
constexpr float kBannerRise = 50;

// Properties that carry over from one item to the next until an item sets them again.
struct StickyProperties {
    std::string font;
    int fontSize;
    std::string align;
    int z;
    std::string tint;
    std::string imageTint;
};

// What one item asks for, read once.
struct ItemSpec {
    int index;
    std::string type;
    std::string function;
    std::optional<std::string> image;
    std::optional<std::string> rawText;
    std::string text;
    CCSize textSize;
    ccColor4B tint;
};

void applyTint(CCRGBAProtocol* node, const ccColor4B& tint) {
    node->setColor(ccc3(tint.r, tint.g, tint.b));
    node->setOpacity(tint.a);
}

// "file[,sx[,sy]]"
struct ButtonImage {
    std::string file;
    float sx = 1;
    float sy = 1;
};

ButtonImage parseButtonImage(std::string_view text) {
    ButtonImage image;
    std::size_t comma = text.find(',');
    image.file = std::string(text.substr(0, comma));
    if (comma == std::string_view::npos) return image;
    std::string_view scales = text.substr(comma + 1);
    image.sx = image.sy = parseReal(scales);
    if (std::size_t second = scales.find(','); second != std::string_view::npos)
        image.sy = parseReal(scales.substr(second + 1));
    return image;
}

std::string defaultType(const ItemSpec& item, const std::string& font) {
    if (!item.function.empty()) return "button";
    if (item.image) return "image";
    if (font.find(".fnt") != std::string::npos) return "bitmaptext";
    return "text";
}

bool isPlainSprite(CCNode* node) {
    return dynamic_cast<CCSprite*>(node) && !dynamic_cast<CCLabelTTF*>(node);
}

bool isPlainLabel(CCNode* node) {
    return dynamic_cast<CCLabelTTF*>(node) && !dynamic_cast<CCTextFieldTTF*>(node);
}

}  // namespace

void MenuLayer::rebuild() {
    CCArray* buttons = CCArray::create();
    StickyProperties sticky{getItemString("font", 0, "Arial"), getItemInt("fontsize", 0, 10),
                            getItemString("align", 0, "cc"),   getItemInt("z", 0, 0),
                            getItemString("tint", 0, "fff"),   getItemString("imagetint", 0, "fff")};
    m_autoClickTimer = 0;

    for (int n = 1;; ++n) {
        std::optional<std::string> pos = itemString("pos", n);
        if (!pos) break;
        std::string id = getItemString("id", n, "");
        bool banner = id.starts_with(kBannerPrefix);
        if (banner && !adMode()) continue;
        CCPoint position = parseIntPair(*pos);

        sticky.font = getItemString("font", n, sticky.font);
        sticky.fontSize = getItemInt("fontsize", n, sticky.fontSize);
        sticky.align = getItemString("align", n, sticky.align);
        sticky.z = getItemInt("z", n, sticky.z);
        sticky.tint = getItemString("tint", n, sticky.tint);
        sticky.imageTint = getItemString("imagetint", n, sticky.imageTint);

        CCNode* old = getChildByTag(n);
        ItemSpec item{n,
                      getItemString("type", n, ""),
                      getItemString("function", n, ""),
                      itemString("image", n),
                      itemString("text", n),
                      "",
                      CCSize(),
                      ccColor4B{}};
        item.text = decodeItemText(item.rawText.value_or(""));
        if (!item.function.empty()) {
            if (IMenuFunction* handler = exactMenuFunction(item.function)) {
                if (std::optional<std::string> label = handler->getFunctionText(item.function))
                    item.text = *label;
            }
        }
        if (std::optional<std::string> box = itemString("textsize", n)) {
            CCPoint size = parseIntPair(*box);
            item.textSize = CCSize(size.x, size.y);
        }
        if (item.function == "toggle_sound")
            item.text = iniGetString("localization", isSoundOn() ? "sound_on" : "sound_off", 0, "");
        if (std::optional<std::string> delay = itemString("auto_click", n))
            m_autoClickTimer = parseReal(*delay);
        if (item.type.empty()) item.type = defaultType(item, sticky.font);
        item.tint = firstColorOrWhite(sticky.tint);

        CCNode* node = nullptr;
        bool created = false;
        auto replaceOld = [&]() {
            if (!old) return;
            if (old == m_focusedInput) focusInput(nullptr);
            removeChild(old, true);
            old = nullptr;
        };
        // A label reused across a reload keeps what code wrote into it unless the item
        // has a text of its own.
        bool setText = !old || item.rawText.has_value();

        if (item.type == "button") {
            CCMenuItemLabel::setFontName(sticky.font.c_str());
            CCMenuItemLabel::setFontSize(static_cast<unsigned int>(std::max(sticky.fontSize, 0)));
            ButtonImage image = parseButtonImage(item.image.value_or(""));
            replaceOld();
            CCSprite* normal = item.image ? CCSprite::create(image.file.c_str()) : nullptr;
            MenuItemFontAndSprite* button = MenuItemFontAndSprite::create(normal, this);
            if (!button) continue;
            if (normal) {
                std::string selected = getItemString("image_selected", n, image.file);
                std::string disabled = getItemString("image_disabled", n, image.file);
                button->setSelectedImage(CCSprite::create(selected.c_str()));
                button->setDisabledImage(CCSprite::create(disabled.c_str()));
            }
            button->setImageScale(image.sx, image.sy);
            applyTint(button, item.tint);
            ccColor4B tints[3];
            std::size_t read = parseColorList(sticky.imageTint, tints, 3);
            if (read > 0) {
                for (std::size_t i = read; i < 3; ++i) tints[i] = tints[read - 1];
                button->setImageColors(ccc3(tints[0].r, tints[0].g, tints[0].b),
                                       ccc3(tints[1].r, tints[1].g, tints[1].b),
                                       ccc3(tints[2].r, tints[2].g, tints[2].b));
                button->setImageOpacities(tints[0].a, tints[1].a, tints[2].a);
            }
            button->setText(item.text.c_str());
            buttons->addObject(button);
            node = button;
        } else if (item.type == "input") {
            auto* field = dynamic_cast<CCTextFieldTTF*>(old);
            if (field) {
                field->setFontName(sticky.font.c_str());
                field->setFontSize(static_cast<float>(sticky.fontSize));
            } else {
                replaceOld();
                field = CCTextFieldTTF::textFieldWithPlaceHolder("", sticky.font.c_str(),
                                                                 static_cast<float>(sticky.fontSize));
                if (!field) continue;
                created = true;
            }
            field->setDimensions(item.textSize);
            applyTint(field, item.tint);
            field->setPlaceHolder(item.text.c_str());
            node = field;
        } else if (item.type == "bitmaptext") {
            auto* label = dynamic_cast<CCLabelBMFont*>(old);
            if (label) {
                label->setFntFile(sticky.font.c_str());
            } else {
                replaceOld();
                label = CCLabelBMFont::create("", sticky.font.c_str());
                if (!label) continue;
                created = true;
            }
            applyTint(label, item.tint);
            if (setText) label->setString(item.text.c_str());
            node = label;
        } else if (item.type == "text") {
            CCLabelTTF* label = isPlainLabel(old) ? static_cast<CCLabelTTF*>(old) : nullptr;
            if (label) {
                label->setFontName(sticky.font.c_str());
                label->setFontSize(static_cast<float>(sticky.fontSize));
            } else {
                replaceOld();
                label = CCLabelTTF::create("", sticky.font.c_str(), static_cast<float>(sticky.fontSize));
                if (!label) continue;
                created = true;
            }
            label->setDimensions(item.textSize);
            applyTint(label, item.tint);
            std::string textAlign = getItemString("textalign", n, "");
            label->setHorizontalAlignment(horizontalTextAlign(textAlign));
            label->setVerticalAlignment(verticalTextAlign(textAlign));
            if (setText) label->setString(item.text.c_str());
            node = label;
        } else if (item.type == "image") {
            std::string file = item.image.value_or("");
            CCSprite* sprite = isPlainSprite(old) ? static_cast<CCSprite*>(old) : nullptr;
            if (sprite) {
                CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(file.c_str());
                if (!texture) continue;
                sprite->setTexture(texture);
                const CCSize& size = texture->getContentSize();
                sprite->setTextureRect(CCRect(0, 0, size.width, size.height));
            } else {
                replaceOld();
                sprite = CCSprite::create(file.c_str());
                if (!sprite) continue;
                created = true;
            }
            ccColor4B tint{1, 1, 1, 1};
            parseColorList(sticky.imageTint, &tint, 1);
            applyTint(sprite, tint);
            node = sprite;
        } else {
            continue;
        }

        node->setPosition(position);
        node->setTag(n);
        node->setRotation(parseReal(getItemString("rotation", n, "0")));
        std::string scale = getItemString("scale", n, "1");
        if (std::size_t comma = scale.find(','); comma != std::string::npos) {
            node->setScaleX(parseReal(scale));
            node->setScaleY(parseReal(std::string_view(scale).substr(comma + 1)));
        } else {
            node->setScale(parseReal(scale));
        }
        node->setAnchorPoint(anchorForAlign(sticky.align));
        if (created) addChild(node, sticky.z);
        if (banner) {
            node->stopActionByTag(kBannerActionTag);
            CCAction* bounce = CCRepeatForever::create(CCSequence::createWithTwoActions(
                CCMoveBy::create(1, CCPoint(0, kBannerRise)), CCMoveBy::create(1, CCPoint(0, -kBannerRise))));
            bounce->setTag(kBannerActionTag);
            node->runAction(bounce);
        }
    }

    removeChildByTag(kMenuTag, true);
    int popup = getItemInt("popup", 0, 0);
    if (popup != m_popupLevel) {
        m_popupLevel = popup;
        // Touch priorities are taken at registration.
        if (isRunning() && isTouchEnabled()) {
            CCDirector::sharedDirector()->getTouchDispatcher()->removeDelegate(this);
            registerWithTouchDispatcher();
        }
    }
    MenuLayerMenu* menu = MenuLayerMenu::create(buttons, -128 - 10 * m_popupLevel);
    menu->setPosition(CCPoint(0, 0));
    addChild(menu, 0, kMenuTag);
    m_keypadPriority = 128 + 10 * m_popupLevel;

    if (std::optional<std::string> sample = itemString("open_sample", 0)) playSample(*sample);
}
