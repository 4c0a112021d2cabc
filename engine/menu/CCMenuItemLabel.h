#pragma once

#include <string>

#include "engine/base/CCProtocols.h"
#include "engine/menu/CCMenuItem.h"

namespace cocos2d {

inline constexpr unsigned int kZoomActionTag = 0xC0C05002;

// A menu item showing a label node (a node that is both a CCLabelProtocol and a
// CCRGBAProtocol). Selecting zooms it to 1.2 times the scale it had before the press
// within 0.1 s; unselecting zooms back; activating stops the zoom and restores that
// scale first. Disabling greys the label and remembers its colour for later.
class CCMenuItemLabel : public CCMenuItem, public CCRGBAProtocol {
public:
    static CCMenuItemLabel* create(CCNode* label);
    static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);

    // Font used by menu builders for the labels of new items.
    static void setFontName(const char* name);
    static const char* fontName();
    static void setFontSize(unsigned int size);
    static unsigned int fontSize();

    bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);

    CCNode* getLabel() const { return m_label; }
    virtual void setLabel(CCNode* label);
    // Sets the label's text and takes its new size.
    virtual void setString(const char* text);

    const ccColor3B& getDisabledColor() const { return m_disabledColor; }
    void setDisabledColor(const ccColor3B& color) { m_disabledColor = color; }
    float getOriginalScale() const { return m_originalScale; }

    void activate() override;
    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

    // Colour and opacity are the label's.
    void setColor(const ccColor3B& color) override;
    const ccColor3B& getColor() override;
    void setOpacity(unsigned char opacity) override;
    unsigned char getOpacity() override;

protected:
    float m_originalScale = 1;

private:
    CCRGBAProtocol* labelColors() const;

    CCNode* m_label = nullptr;
    ccColor3B m_disabledColor{126, 126, 126};
    ccColor3B m_colorBackup = ccWHITE;
};

}  // namespace cocos2d
