#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

#include "audio/PlaySample.h"
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
#include "online/OutboundLinks.h"

using namespace cocos2d;

namespace {

// A delay that is no number of seconds (negative, NaN, endless) would keep a screen such as
// the intro waiting forever: it fires at the first frame instead.
float autoClickDelay(const std::string& text) {
    float delay = parseReal(text);
    if (std::isfinite(delay) && delay >= 0) return delay;
    std::fprintf(stderr, "Petalune: auto_click=%s is no delay in seconds; the item is clicked at once\n",
                 text.c_str());
    return std::numeric_limits<float>::min();
}

constexpr std::string_view kBannerPrefix = "banner_click";
constexpr int kBannerActionTag = 0xBA22E7;
constexpr float kBannerRise = 50;

// Properties that carry over from one item to the next until an item sets them again.
struct StickyProperties {
    std::string font;
    int fontSize = 10;
    std::string align;
    int z = 0;
    std::string tint;
    std::string imageTint;
};

// What one item asks for, read once.
struct ItemSpec {
    std::string type;
    std::string function;
    std::optional<std::string> image;
    std::string imageSelected;
    std::string imageDisabled;
    bool hasText = false;
    std::string text;
    CCSize textSize;
    std::string textAlign;
    float maxWidth = 0;
    ccColor4B tint{255, 255, 255, 255};
    StickyProperties sticky;
};

struct BuiltNode {
    CCNode* node = nullptr;
    bool created = false;  // a new node, still to be added to the layer
};

// Takes the item's node of an earlier build off the layer when it cannot be reused.
using DropOld = std::function<void()>;

void applyTint(CCRGBAProtocol* node, const ccColor4B& tint) {
    node->setColor(ccc3(tint.r, tint.g, tint.b));
    node->setOpacity(tint.a);
}

ccColor3B rgb(const ccColor4B& color) {
    return ccc3(color.r, color.g, color.b);
}

float fontSize(const ItemSpec& item) {
    return static_cast<float>(item.sticky.fontSize);
}

// Buttons: "file[,sx[,sy]]".
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

std::string defaultType(const ItemSpec& item) {
    if (!item.function.empty()) return "button";
    if (item.image) return "image";
    if (item.sticky.font.find(".fnt") != std::string::npos) return "bitmaptext";
    return "text";
}

BuiltNode buildButton(MenuLayer* layer, const ItemSpec& item, const DropOld& dropOld) {
    // The widget takes the engine's default menu-item font when it is made.
    CCMenuItemLabel::setFontName(item.sticky.font.c_str());
    CCMenuItemLabel::setFontSize(static_cast<unsigned int>(std::max(item.sticky.fontSize, 0)));
    ButtonImage image = parseButtonImage(item.image.value_or(""));
    dropOld();
    CCSprite* normal = item.image ? CCSprite::create(image.file.c_str()) : nullptr;
    MenuItemFontAndSprite* button = MenuItemFontAndSprite::create(normal, layer);
    if (!button) return {};
    if (normal) {
        button->setSelectedImage(
            CCSprite::create(item.imageSelected.empty() ? image.file.c_str() : item.imageSelected.c_str()));
        button->setDisabledImage(
            CCSprite::create(item.imageDisabled.empty() ? image.file.c_str() : item.imageDisabled.c_str()));
    }
    button->setImageScale(image.sx, image.sy);
    applyTint(button, item.tint);
    ccColor4B tints[3];
    if (std::size_t read = parseColorList(item.sticky.imageTint, tints, 3); read > 0) {
        std::fill(tints + read, tints + 3, tints[read - 1]);
        button->setImageColors(rgb(tints[0]), rgb(tints[1]), rgb(tints[2]));
        button->setImageOpacities(tints[0].a, tints[1].a, tints[2].a);
    }
    button->setText(item.text.c_str());
    return {button, false};
}

BuiltNode buildInput(CCNode* old, const ItemSpec& item, const DropOld& dropOld) {
    BuiltNode built;
    auto* field = dynamic_cast<CCTextFieldTTF*>(old);
    if (field) {
        field->setFontName(item.sticky.font.c_str());
        field->setFontSize(fontSize(item));
    } else {
        dropOld();
        field = CCTextFieldTTF::textFieldWithPlaceHolder("", item.sticky.font.c_str(), fontSize(item));
        if (!field) return {};
        built.created = true;
    }
    field->setDimensions(item.textSize);
    field->setHorizontalAlignment(horizontalTextAlign(item.textAlign));
    field->setVerticalAlignment(verticalTextAlign(item.textAlign));
    applyTint(field, item.tint);
    field->setPlaceHolder(item.text.c_str());
    built.node = field;
    return built;
}

// A label reused across a reload keeps what code wrote into it unless the item has a
// text of its own.
bool shouldSetText(const BuiltNode& built, const ItemSpec& item) {
    return built.created || item.hasText;
}

BuiltNode buildBitmapText(CCNode* old, const ItemSpec& item, const DropOld& dropOld) {
    BuiltNode built;
    auto* label = dynamic_cast<CCLabelBMFont*>(old);
    if (label) {
        label->setFntFile(item.sticky.font.c_str());
    } else {
        dropOld();
        label = CCLabelBMFont::create("", item.sticky.font.c_str());
        if (!label) return {};
        built.created = true;
    }
    label->setMaxWidth(item.maxWidth);
    applyTint(label, item.tint);
    if (shouldSetText(built, item)) label->setString(item.text.c_str());
    built.node = label;
    return built;
}

BuiltNode buildText(CCNode* old, const ItemSpec& item, const DropOld& dropOld) {
    BuiltNode built;
    // A text field is a TTF label too, but not one to reuse as a plain label.
    auto* label = dynamic_cast<CCTextFieldTTF*>(old) ? nullptr : dynamic_cast<CCLabelTTF*>(old);
    if (label) {
        label->setFontName(item.sticky.font.c_str());
        label->setFontSize(fontSize(item));
    } else {
        dropOld();
        label = CCLabelTTF::create("", item.sticky.font.c_str(), fontSize(item));
        if (!label) return {};
        built.created = true;
    }
    label->setDimensions(item.textSize);
    label->setMaxWidth(item.maxWidth);
    applyTint(label, item.tint);
    label->setHorizontalAlignment(horizontalTextAlign(item.textAlign));
    label->setVerticalAlignment(verticalTextAlign(item.textAlign));
    if (shouldSetText(built, item)) label->setString(item.text.c_str());
    built.node = label;
    return built;
}

BuiltNode buildImage(CCNode* old, const ItemSpec& item, const DropOld& dropOld) {
    BuiltNode built;
    std::string file = item.image.value_or("");
    // Labels are sprites too, but not ones to reuse as pictures.
    auto* sprite = dynamic_cast<CCLabelTTF*>(old) ? nullptr : dynamic_cast<CCSprite*>(old);
    if (sprite) {
        CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(file.c_str());
        if (!texture) return {};
        sprite->setTexture(texture);
        const CCSize& size = texture->getContentSize();
        sprite->setTextureRect(CCRect(0, 0, size.width, size.height));
    } else {
        dropOld();
        sprite = CCSprite::create(file.c_str());
        if (!sprite) return {};
        built.created = true;
    }
    ccColor4B tint{1, 1, 1, 1};
    parseColorList(item.sticky.imageTint, &tint, 1);
    applyTint(sprite, tint);
    built.node = sprite;
    return built;
}

void placeNode(CCNode* node, int index, CCPoint position, const MenuLayer& layer, const ItemSpec& item) {
    node->setPosition(position);
    node->setTag(index);
    node->setRotation(parseReal(layer.getItemString("rotation", index, "0")));
    std::string scale = layer.getItemString("scale", index, "1");
    if (std::size_t comma = scale.find(','); comma != std::string::npos) {
        node->setScaleX(parseReal(scale));
        node->setScaleY(parseReal(std::string_view(scale).substr(comma + 1)));
    } else {
        node->setScale(parseReal(scale));
    }
    node->setAnchorPoint(anchorForAlign(item.sticky.align));
}

void startBannerBob(CCNode* node) {
    node->stopActionByTag(kBannerActionTag);
    CCAction* bob = CCRepeatForever::create(CCSequence::createWithTwoActions(
        CCMoveBy::create(1, CCPoint(0, kBannerRise)), CCMoveBy::create(1, CCPoint(0, -kBannerRise))));
    bob->setTag(kBannerActionTag);
    node->runAction(bob);
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
        bool banner = getItemString("id", n, "").starts_with(kBannerPrefix);
        if (banner && !adMode()) continue;
        CCPoint position = parseIntPair(*pos);

        sticky.font = getItemString("font", n, sticky.font);
        sticky.fontSize = getItemInt("fontsize", n, sticky.fontSize);
        sticky.align = getItemString("align", n, sticky.align);
        sticky.z = getItemInt("z", n, sticky.z);
        sticky.tint = getItemString("tint", n, sticky.tint);
        sticky.imageTint = getItemString("imagetint", n, sticky.imageTint);

        ItemSpec item;
        item.sticky = sticky;
        item.type = getItemString("type", n, "");
        item.function = getItemString("function", n, "");
        if (!menuCommandLeadsSomewhere(item.function)) continue;
        item.image = itemString("image", n);
        item.imageSelected = getItemString("image_selected", n, "");
        item.imageDisabled = getItemString("image_disabled", n, "");
        std::optional<std::string> rawText = itemString("text", n);
        item.hasText = rawText.has_value();
        item.text = decodeItemText(rawText.value_or(""));
        if (IMenuFunction* handler = item.function.empty() ? nullptr : exactMenuFunction(item.function)) {
            if (std::optional<std::string> label = handler->getFunctionText(item.function))
                item.text = *label;
        }
        if (std::optional<std::string> box = itemString("textsize", n)) {
            CCPoint size = parseIntPair(*box);
            item.textSize = CCSize(size.x, size.y);
        }
        if (std::optional<std::string> delay = itemString("auto_click", n))
            m_autoClickTimer = autoClickDelay(*delay);
        if (item.type.empty()) item.type = defaultType(item);
        item.tint = firstColorOrWhite(sticky.tint);
        item.textAlign = getItemString("textalign", n, "");
        item.maxWidth = parseReal(getItemString("maxwidth", n, "0"));

        CCNode* old = getChildByTag(n);
        DropOld dropOld = [this, old]() {
            if (!old) return;
            if (old == m_focusedInput) focusInput(nullptr);
            removeChild(old, true);
        };
        BuiltNode built;
        if (item.type == "button") {
            built = buildButton(this, item, dropOld);
            if (built.node) buttons->addObject(built.node);
        } else if (item.type == "input") {
            built = buildInput(old, item, dropOld);
        } else if (item.type == "bitmaptext") {
            built = buildBitmapText(old, item, dropOld);
        } else if (item.type == "text") {
            built = buildText(old, item, dropOld);
        } else if (item.type == "image") {
            built = buildImage(old, item, dropOld);
        }
        if (!built.node) continue;

        placeNode(built.node, n, position, *this, item);
        // A reused node keeps its place and z-order; buttons go into the menu below.
        if (built.created) addChild(built.node, sticky.z);
        if (banner) startBannerBob(built.node);
    }

    removeChildByTag(kMenuTag, true);
    // Levels past the clamp would overflow the touch priorities derived from them.
    int popup = std::clamp(getItemInt("popup", 0, 0), 0, kMaxPopupLevel);
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
