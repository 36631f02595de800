#!/usr/bin/env python3
"""Generates resources/configurator.ui (the main window form) and
resources/FORM_NAMES.txt (page, class and object name of every object in it).

Run from anywhere:  python3 resources/tools/make_form.py
The form is plain absolute geometry (800 x 600, fixed); the only layouts are the
named ones that the switch group boxes carry.  Pictures are referenced from
style sheets only (url(:/images/...)), so the form needs no resource include.
"""

import os
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
UI_PATH = os.path.join(RES, "configurator.ui")
NAMES_PATH = os.path.join(RES, "FORM_NAMES.txt")

# ---------------------------------------------------------------- look ----
MEDIUM = "Futura PT Medium"
LIGHT = "Futura PT Light"

RED = "#E33F23"
DARK = "#1F2222"

ST_CAPTION = "QLabel {color : #b9b9b9;}"
ST_VALUE = "QLabel {color : white;}"
ST_TITLE = "QLabel {color : white;}"
ST_ALARM_TEXT = "QLabel {color : #E33F23;}"
ST_NOTE = "QLabel {color : #00A778;}"
ST_PLAIN = "QLabel {background-color: transparent;}"

ST_LINEEDIT = ("QLineEdit {background-color:#1F2222;border-style: solid;border-radius: 4px;"
               "border-width: 1px;border-color: #b9b9b9;color : white;padding-left: 4px;}"
               "QLineEdit:focus {border-color: #00A778;}"
               "QLineEdit:disabled {color: #7A7575;border-color: #7A7575;}")
ST_COMBO = ("QComboBox {background-color:#1F2222;color: white;border: 1px solid #b9b9b9;"
            "border-radius: 4px;padding-left: 6px;}"
            "QComboBox:disabled {color: #7A7575;border-color: #7A7575;}"
            "QComboBox::drop-down {border: none;width: 22px;}"
            "QComboBox::down-arrow {image: url(:/images/white-down-arrow-png-2.png);width: 12px;height: 12px;}"
            "QComboBox QAbstractItemView {background-color:#1F2222;color: white;"
            "selection-background-color: #00A778;selection-color: white;border: 1px solid #b9b9b9;}")
ST_BUTTON = ("QPushButton {background-color:#1F2222;color: white;border: 1px solid #b9b9b9;"
             "border-radius: 4px;padding: 2px 8px;}"
             "QPushButton:hover {border-color: #00A778;}"
             "QPushButton:pressed {background-color: #00A778;border-color: #00A778;}"
             "QPushButton:disabled {color: #7A7575;border-color: #7A7575;}")
ST_BUTTON_RED = ("QPushButton {background-color: #E32323;border-style: solid;border-radius: 4px;"
                 "border-color:#E32323;border-width: 1px;color:white;padding: 2px 8px;}"
                 "QPushButton:hover {border-color: white;}"
                 "QPushButton:pressed {background-color: #A22300;border-color: #A22300;}"
                 "QPushButton:disabled {background-color: #7A7575;border-color: #7A7575;}")
ST_BACK = ("QPushButton {background-color: #1F2222;border: 1px solid #b9b9b9;border-radius: 4px;"
           "color:#b9b9b9;qproperty-icon: url(:/images/arrow.png);qproperty-iconSize: 20px 20px;}"
           "QPushButton:hover {background-color: #2B3232;color: white;}"
           "QPushButton:pressed {background-color: #00A778;color: white;}")
ST_GROUP_SWITCH = ("QGroupBox {background-color: #1F2222;border: 1px solid #3A4040;"
                   "border-radius: 6px;margin: 0px;}")
ST_GROUP_TITLED = ("QGroupBox {background-color: #1F2222;border: 1px solid #3A4040;"
                   "border-radius: 6px;margin-top: 14px;color: white;}"
                   "QGroupBox:disabled {color: #7A7575;}"
                   "QGroupBox::title {subcontrol-origin: margin;subcontrol-position: top left;"
                   "left: 10px;padding: 0px 4px;}")
ST_CHECK = ("QCheckBox {color: white;spacing: 8px;}"
            "QCheckBox::indicator {width: 16px;height: 16px;border: 1px solid #b9b9b9;"
            "border-radius: 3px;background-color: #1F2222;}"
            "QCheckBox::indicator:checked {background-color: #00A778;border-color: #00A778;}")
ST_LEVEL_BAR = ("QProgressBar::chunk {background-color:#00A778;}"
                "QProgressBar {border:  #1F2222;background-color: #1F2222;}")
ST_FIRMWARE_BAR = ("QProgressBar {border: 1px solid #b9b9b9;border-radius: 4px;"
                   "background-color: #1F2222;color: white;text-align: center;}"
                   "QProgressBar::chunk {background-color: #00A778;border-radius: 3px;}")
ST_TABS = ("QTabWidget::pane {border: 1px solid #b9b9b9;border-radius: 4px;top: -1px;"
           "background-color: transparent;}"
           "QTabBar::tab {background-color: #1F2222;color: #b9b9b9;border: 1px solid #b9b9b9;"
           "border-bottom: none;border-top-left-radius: 4px;border-top-right-radius: 4px;"
           "padding: 5px 14px;margin-right: 2px;}"
           "QTabBar::tab:selected {background-color: #2B3232;color: white;}"
           "QTabBar::tab:hover {color: white;}")


def picture_button_style(image, red=False, hover=False):
    """Button whose caption is in its picture: picture centred, thin frame."""
    bg = RED if red else DARK
    st = ("QPushButton {background-color: %s;image: url(:/images/%s);"
          "border: 1px solid #b9b9b9;border-radius: 4px;}" % (bg, image))
    if hover:
        st += "QPushButton:hover {border: 1px solid #E33F23;}"
    else:
        st += "QPushButton:hover {border: 1px solid #00A778;}"
    st += ("QPushButton:pressed {background-color: %s;}"
           "QPushButton:disabled {background-color: #2B3232;border-color: #7A7575;}"
           % ("#A22300" if red else "#2B3232"))
    return st


def device_button_style(image):
    return ("QPushButton {background-color: transparent;image: url(:/images/%s);"
            "border: none;border-radius: 6px;padding: 2px;}"
            "QPushButton:hover {background-color: #2B3232;}"
            "QPushButton:checked {background-color: #2B3232;}"
            "QPushButton:disabled {background-color: transparent;}" % image)


def image_label_style(image, border_image=False):
    if border_image:
        return ("QLabel {border-image: url(:/images/%s) 0 0 0 0 stretch stretch;}" % image)
    return "QLabel {image: url(:/images/%s);background-color: transparent;}" % image


# ------------------------------------------------------- XML building ----
NAMES = []          # (page, class, name)
_current_page = ["(window)"]


def _prop(parent, name, kind, value, attrs=None):
    p = ET.SubElement(parent, "property", {"name": name})
    v = ET.SubElement(p, kind, attrs or {})
    if isinstance(value, dict):
        for k, sub in value.items():
            ET.SubElement(v, k).text = str(sub)
    elif value is not None:
        v.text = str(value)
    return p


def _is_russian(text):
    return any("\u0400" <= ch <= "\u04ff" for ch in text or "")


def _string(parent, name, text):
    """String property; style sheets and texts without Russian words are marked
    not translatable, so the retranslation keeps them out of setupUi's way."""
    p = ET.SubElement(parent, "property", {"name": name})
    attrs = {} if (name != "styleSheet" and _is_russian(text)) else {"notr": "true"}
    s = ET.SubElement(p, "string", attrs)
    if text:
        s.text = text
    return p


def _record(cls, name):
    NAMES.append((_current_page[0], cls, name))


def widget(parent, cls, name, geom=None, text=None, font=None, style=None, align=None,
           visible=None, cursor=None, tooltip=None, **props):
    """Adds a widget element under `parent` (a <widget> element or an <item>)."""
    w = ET.SubElement(parent, "widget", {"class": cls, "name": name})
    _record(cls, name)
    if geom is not None:
        x, y, wd, ht = geom
        _prop(w, "geometry", "rect", {"x": x, "y": y, "width": wd, "height": ht})
    if font is not None:
        family, size = font
        f = {"family": family, "pointsize": size}
        _prop(w, "font", "font", f)
    if cursor:
        _prop(w, "cursor", "cursorShape", cursor)
    if style:
        _string(w, "styleSheet", style)
    if text is not None:
        _string(w, "text" if cls != "QGroupBox" else "title", text)
    if align:
        _prop(w, "alignment", "set", align)
    if tooltip:
        _string(w, "toolTip", tooltip)
    for key, val in props.items():
        if isinstance(val, bool):
            _prop(w, key, "bool", "true" if val else "false")
        elif isinstance(val, int):
            _prop(w, key, "number", val)
        elif isinstance(val, tuple) and val[0] == "enum":
            _prop(w, key, "enum", val[1])
        elif isinstance(val, tuple) and val[0] == "set":
            _prop(w, key, "set", val[1])
        else:
            _string(w, key, val)
    if visible is not None:
        _prop(w, "visible", "bool", "true" if visible else "false")
    return w


def expanding(w):
    """The caption takes the spare width, so the switch the code appends sits at
    the right end of the group box, in line with the other boxes."""
    p = ET.SubElement(w, "property", {"name": "sizePolicy"})
    sp = ET.SubElement(p, "sizepolicy", {"hsizetype": "Expanding", "vsizetype": "Preferred"})
    ET.SubElement(sp, "horstretch").text = "0"
    ET.SubElement(sp, "verstretch").text = "0"
    return w


def combo_items(combo, texts):
    for t in texts:
        it = ET.SubElement(combo, "item")
        _string(it, "text", t)


# Common widget shorthands --------------------------------------------------
CENTER = "Qt::AlignCenter"
LEFT_V = "Qt::AlignLeading|Qt::AlignLeft|Qt::AlignVCenter"
RIGHT_V = "Qt::AlignRight|Qt::AlignTrailing|Qt::AlignVCenter"
HAND = "PointingHandCursor"


def caption(parent, name, geom, text, size=12, align=LEFT_V, style=ST_CAPTION, **kw):
    return widget(parent, "QLabel", name, geom, text, (LIGHT, size), style, align, **kw)


def value(parent, name, geom, text="--", size=14, align=LEFT_V, style=ST_VALUE, **kw):
    return widget(parent, "QLabel", name, geom, text, (MEDIUM, size), style, align, **kw)


def title(parent, name, geom, text, size=16, align=LEFT_V):
    return widget(parent, "QLabel", name, geom, text, (MEDIUM, size), ST_TITLE, align)


def mark(parent, name, geom, style=ST_PLAIN, visible=False):
    """Small picture label (changed-parameter bird, lock, alarm): 24 x 24."""
    return widget(parent, "QLabel", name, geom, "", None, style, CENTER,
                  visible=visible, scaledContents=True)


def lineedit(parent, name, geom, text="", size=14, align=CENTER, **kw):
    return widget(parent, "QLineEdit", name, geom, text, (MEDIUM, size), ST_LINEEDIT, align, **kw)


def combo(parent, name, geom, items=(), size=12):
    c = widget(parent, "QComboBox", name, geom, None, (MEDIUM, size), ST_COMBO, cursor=HAND)
    combo_items(c, items)
    return c


def button(parent, name, geom, text, size=12, style=ST_BUTTON, **kw):
    return widget(parent, "QPushButton", name, geom, text, (MEDIUM, size), style, cursor=HAND, **kw)


def picture_button(parent, name, geom, image, red=False, hover=False):
    return widget(parent, "QPushButton", name, geom, "", (MEDIUM, 12),
                  picture_button_style(image, red, hover), cursor=HAND)


def back_button(parent, name, geom):
    return widget(parent, "QPushButton", name, geom, "ВЕРНУТЬСЯ", (MEDIUM, 13), ST_BACK, cursor=HAND)


def page(stack, name):
    _current_page[0] = name
    return widget(stack, "QWidget", name)


def switch_group(parent, box, layout, label, text, geom):
    """Group box whose named horizontal layout holds the caption label; the code
    adds the toggle switch (about 40 x 24) as the layout's second item."""
    g = widget(parent, "QGroupBox", box, geom, "", None, ST_GROUP_SWITCH)
    lay = ET.SubElement(g, "layout", {"class": "QHBoxLayout", "name": layout})
    _record("QHBoxLayout", layout)
    _prop(lay, "spacing", "number", 12)
    for side, v in (("leftMargin", 12), ("topMargin", 4), ("rightMargin", 12), ("bottomMargin", 4)):
        _prop(lay, side, "number", v)
    item = ET.SubElement(lay, "item")
    expanding(widget(item, "QLabel", label, None, text, (LIGHT, 16),
                     "QLabel {color:white;font-size:16pt;}", LEFT_V))
    return g


# ============================================================== pages ====
def build_header(p):
    """Common header: lives on DUT; the code re-parents it onto the shown page."""
    g = widget(p, "QGroupBox", "groupBox", (10, 10, 300, 70), "", None,
               "QGroupBox {border: none;background-color: transparent;}", flat=True)
    widget(g, "QComboBox", "comboBox_SerialPort", (0, 4, 300, 62), None, (MEDIUM, 20),
           ST_COMBO.replace("QComboBox {", "QComboBox {min-height: 3em;", 1)
                   .replace("white-down-arrow-png-2.png", "arrow_combo.png")
                   .replace("width: 12px;height: 12px;", "width: 16px;height: 16px;"),
           cursor=HAND)

    sa = widget(p, "QScrollArea", "scrollAreaBtnsDevices", (316, 5, 364, 88), None, None,
                "QScrollArea {background-color: transparent;border: none;}"
                "QScrollArea > QWidget > QWidget#scrollAreaWidgetContents {background-color: transparent;}"
                "QScrollBar:horizontal {height: 4px;background: #1F2222;}"
                "QScrollBar::handle:horizontal {background: #b9b9b9;}",
                frameShape=("enum", "QFrame::NoFrame"),
                verticalScrollBarPolicy=("enum", "Qt::ScrollBarAlwaysOff"),
                horizontalScrollBarPolicy=("enum", "Qt::ScrollBarAsNeeded"),
                widgetResizable=False)
    c = widget(sa, "QWidget", "scrollAreaWidgetContents", (0, 0, 364, 88), None, None,
               "QWidget#scrollAreaWidgetContents {background-color: transparent;}")
    devices = [
        ("pushButtonDeviceFLS", "label_DevFLS", "line_DevFLS", "ДУТ", "device.png"),
        ("pushButtonBLE", "label_DevBLE", "line_DevBLE", "BLE", "ble_base.png"),
        ("pushButtonAQ420", "label_DevAQ420", "line_DevAQ420", "AQ420", "aq420.png"),
        ("pushButtonWiredTag", "label_DevWiredTag", "line_DevWiredTag", "W-TAG", "tag.png"),
    ]
    for i, (btn, lab, line, text, image) in enumerate(devices):
        x = 4 + i * 90
        widget(c, "QPushButton", btn, (x + 11, 2, 60, 50), "", (MEDIUM, 12),
               device_button_style(image), cursor=HAND, checkable=True)
        widget(c, "QLabel", lab, (x, 54, 82, 22), text, (MEDIUM, 12),
               "QLabel {color : #B9B9B9;}", CENTER)
        widget(c, "QFrame", line, (x + 6, 79, 70, 2), None, None,
               "QFrame {background-color : #B9B9B9;}",
               frameShape=("enum", "QFrame::NoFrame"))

    widget(p, "QPushButton", "pushButtonService", (684, 8, 110, 36), "", (MEDIUM, 12),
           "QPushButton {background-color: #1F2222;image: url(:/images/servicebtn.png);"
           "border: 1px solid #b9b9b9;border-radius: 4px;}"
           "QPushButton:hover {border-color: #00A778;}"
           "QPushButton:pressed {background-color: #2B3232;}"
           "QPushButton:disabled {border-color: #7A7575;}"
           "QPushButton::menu-indicator {image: none;width: 0px;}", cursor=HAND)
    widget(p, "QPushButton", "pushButton_Help", (684, 50, 110, 36), "", (MEDIUM, 12),
           "QPushButton {background-color: #1F2222;image: url(:/images/help.png);"
           "border: 1px solid #b9b9b9;border-radius: 4px;}"
           "QPushButton:hover {border-color: #00A778;}"
           "QPushButton:pressed {background-color: #2B3232;}", cursor=HAND)

    # serial number and firmware line, right under the header (the same strip
    # y 94..134, x 10..540 stays free on the other device pages); the code sets
    # 14 pt captions and 21 pt values, room for a serial of "-2147483648"
    caption(p, "label_SerNumName", (20, 100, 160, 28), "Серийный номер:")
    value(p, "label_SerNumVal", (180, 94, 172, 40), "--", 13)
    caption(p, "label_FirmwareName", (356, 100, 106, 28), "Версия ПО:")
    value(p, "label_FirmwareVal", (462, 94, 78, 40), "--", 13)


# Device pages share one frame: a panel picture over x 20..780, y 125..545 and an
# action row at its bottom (counts at y 438, buttons at y 464..504).
PANEL = (20, 125, 760, 420)


def panel(p, name):
    return widget(p, "QLabel", name, PANEL, "", None,
                  image_label_style("device_fon.png", border_image=True))


def build_action_bar(p, suffix, empty_label, full_label, write_button):
    """Counts above the Empty / Full buttons, the calibration button spot
    x 356..506 (ButtonTarirovka lives on DUT) and the write button."""
    value(p, empty_label, (36, 438, 150, 24), "--", 13, CENTER)
    picture_button(p, "Button_SetEmpty" + suffix, (36, 464, 150, 40), "emptybtn.png", hover=True)
    value(p, full_label, (196, 438, 150, 24), "--", 13, CENTER)
    picture_button(p, "Button_SetFull" + suffix, (196, 464, 150, 40), "fullbtn.png", hover=True)
    picture_button(p, write_button, (614, 464, 150, 40), "write_param.png", red=True, hover=True)


def build_dut(stack):
    p = page(stack, "DUT")
    panel(p, "label_FonDUT")
    build_header(p)
    mark(p, "label_LockDUT", (740, 98, 24, 24))

    # sensor picture (left)
    widget(p, "QLabel", "label_PicDUT", (36, 140, 100, 150), "", None,
           image_label_style("dut_new.png"))
    mark(p, "label_AlarmDUT", (36, 380, 28, 28), image_label_style("alarm.png"))
    widget(p, "QLabel", "label_NeedCalibDUT", (68, 380, 330, 28), "Требуется калибровка",
           (MEDIUM, 14), ST_ALARM_TEXT, LEFT_V, visible=False)

    # readings (middle); level, frequency and voltage share one place, the
    # output mode decides which of them is shown
    caption(p, "label_NameUrovenDUT", (142, 138, 143, 30), "Уровень", 14)
    value(p, "label_UrovenDUT", (285, 138, 110, 30), "--", 16)
    caption(p, "label_FreqNameDUT", (142, 138, 143, 30), "Частота, Гц", 14, visible=False)
    value(p, "label_FreqValDUT", (285, 138, 110, 30), "--", 16, visible=False)
    caption(p, "label_NaprNameDUT", (142, 138, 143, 30), "Напряжение", 14, visible=False)
    value(p, "label_NaprValDUT", (285, 138, 110, 30), "--", 16, visible=False)
    widget(p, "QProgressBar", "progressBarLevelDUT", (150, 172, 245, 12), None, None, ST_LEVEL_BAR,
           maximum=1024, value=0, textVisible=False)
    value(p, "label_StableDUT", (150, 188, 245, 22), "", 12)

    caption(p, "label_TempNameDUT", (150, 218, 135, 28), "Температура")
    value(p, "label_TempValDUT", (285, 218, 110, 28))
    caption(p, "label_NaprNameKV260DUT", (150, 250, 135, 28), "Напряжение", visible=False)
    value(p, "label_NaprValKV260DUT", (285, 250, 110, 28), visible=False)
    caption(p, "label_ReqNetNumDUT", (150, 296, 135, 28), "Опросить адрес", 11)
    combo(p, "comboBox_NetNumDUT", (285, 296, 90, 28))
    caption(p, "label_NameListDevDUT", (150, 332, 135, 28), "Устройства", 11)
    value(p, "label_ListDevDUT", (285, 332, 110, 28))

    # parameters (right)
    rows = [
        ("label_22DUT", "Режим", "comboBox_ModeDUT", "label_Alarm_2DUT"),
        ("label_21DUT", "Сглаживание", "comboBox_FiltrDUT", "label_Alarm_3DUT"),
        ("label_20DUT", "Макс. уровень", "lineEditMaxLevelDUT", "label_Alarm_4DUT"),
        ("label_19DUT", "Мин. уровень", "lineEditMinLevelDUT", "label_Alarm_5DUT"),
        ("label_4DUT", "Сетевой адрес", "lineEditNetNumDUT", "label_Alarm_6DUT"),
    ]
    for i, (cap, text, field, alarm) in enumerate(rows):
        y = 138 + i * 42
        caption(p, cap, (403, y, 152, 30), text)
        if field.startswith("combo"):
            combo(p, field, (555, y, 180, 30))
        else:
            lineedit(p, field, (555, y, 180, 30), {"lineEditMaxLevelDUT": "1023",
                                                   "lineEditMinLevelDUT": "1",
                                                   "lineEditNetNumDUT": "1"}[field],
                     maxLength=4 if "Level" in field else 3)
        mark(p, alarm, (740, y + 3, 24, 24))

    build_action_bar(p, "DUT", "label_17DUT", "label_18DUT", "ButtonWriteParamDUT")
    picture_button(p, "ButtonTarirovka", (356, 464, 150, 40), "tarbtn.png")
    widget(p, "QProgressBar", "progressBarFirmwareDUT", (36, 510, 728, 16), None, (MEDIUM, 10),
           ST_FIRMWARE_BAR, visible=False, value=0, textVisible=True,
           alignment=("set", CENTER))


def build_ble(stack):
    p = page(stack, "BLE_KV510")
    panel(p, "label_FonBLE")
    # base station (left).  The band x 210..510, y 125..170 stays empty: the
    # code puts the page's status lines there.
    widget(p, "QLabel", "label_PicBase", (56, 135, 110, 110), "", None,
           image_label_style("ble_base.png"))
    mark(p, "label_LockBLE_BASE", (176, 137, 24, 24))
    value(p, "label_NameBase", (36, 248, 170, 24), "Базовая станция", 13, CENTER)

    # wireless sensor (middle)
    widget(p, "QLabel", "label_PicBLE", (225, 180, 40, 40), "", None,
           image_label_style("bluetooth.png"))
    mark(p, "label_LockBLE_BLE", (270, 188, 24, 24))
    value(p, "label_NameBLE", (300, 186, 210, 26), "KV-BLE", 14)
    caption(p, "label_SerNumNameBLE", (225, 228, 140, 22), "Серийный номер", 11)
    value(p, "label_SerNumValBLE", (370, 228, 140, 22), "--", 12)
    caption(p, "label_FirmwareNameBLE", (225, 252, 140, 22), "Версия ПО", 11)
    value(p, "label_FirmwareValBLE", (370, 252, 140, 22), "--", 12)
    caption(p, "label_MAC_BLE", (225, 276, 50, 22), "MAC", 11)
    value(p, "label_MAC_BLE_VAL", (275, 276, 235, 22), "--", 12, cursor=HAND)
    widget(p, "QLabel", "label_CopyMacBLE", (225, 299, 285, 18), "Скопировано в буфер обмена",
           (LIGHT, 10), ST_NOTE, LEFT_V, visible=False)

    # readings
    caption(p, "label_TempNameBLE", (36, 330, 110, 26), "Температура", 11)
    value(p, "label_TempValBLE", (146, 330, 70, 26), "--", 13)
    caption(p, "label_RSSIPicBLE", (225, 330, 65, 26), "Сигнал", 11)
    value(p, "label_RSSI_VAL_BLE", (290, 330, 70, 26), "--", 13)
    caption(p, "label_BatPicBLE", (365, 330, 75, 26), "Батарея", 11)
    value(p, "label_BAT_VAL_BLE", (440, 330, 70, 26), "--", 13)
    caption(p, "label_NameUrovenBLE", (36, 368, 110, 28), "Уровень", 14)
    value(p, "label_UrovenBLE", (146, 368, 90, 28), "0", 16)
    value(p, "label_StableBLE", (240, 368, 170, 28), "", 12)
    widget(p, "QProgressBar", "progressBarLevelBLE", (36, 402, 474, 12), None, None, ST_LEVEL_BAR,
           maximum=1024, value=0, textVisible=False)

    # parameters (right)
    caption(p, "label_NetNumBLE", (515, 135, 135, 28), "Сетевой адрес", 11)
    lineedit(p, "lineEditNetNumBLE", (650, 135, 85, 28), "", readOnly=True,
             focusPolicy=("enum", "Qt::NoFocus"))
    rows = [
        ("label_FiltrBLE", "Сглаживание", "comboBox_FiltrBLE", "label_Alarm_12BLE", ""),
        ("label_MaxLevelBLE", "Макс. уровень", "lineEditMaxLevelBLE", "label_Alarm_11BLE", "1023"),
        ("label_MinLevelBLE", "Мин. уровень", "lineEditMinLevelBLE", "label_Alarm_10BLE", "1"),
    ]
    for i, (cap, text, field, alarm, init) in enumerate(rows):
        y = 171 + i * 36
        caption(p, cap, (515, y, 135, 28), text, 11)
        if field.startswith("combo"):
            combo(p, field, (650, y, 85, 28))
        else:
            lineedit(p, field, (650, y, 85, 28), init, maxLength=4)
        mark(p, alarm, (740, y + 2, 24, 24))
    caption(p, "label_ReqNetNumBLE", (515, 279, 135, 28), "Опросить адрес", 11)
    combo(p, "comboBox_NetNumBLE", (650, 279, 85, 28))
    caption(p, "label_NameListDevBLE", (515, 315, 135, 28), "Устройства", 11)
    value(p, "label_ListDevBLE", (650, 315, 114, 28), "--", 13)
    mark(p, "label_Alarm_9BLE", (522, 372, 24, 24), image_label_style("alarm.png"))
    widget(p, "QLabel", "label_NeedCalibBLE", (550, 370, 220, 28), "Требуется калибровка",
           (MEDIUM, 12), ST_ALARM_TEXT, LEFT_V, visible=False)

    build_action_bar(p, "BLE", "label_28BLE", "label_30BLE", "ButtonWriteParamBLE")


def build_adw(stack):
    p = page(stack, "bleAdwertTar")
    t = widget(p, "QTabWidget", "tabWidgetAdw", (10, 100, 530, 444), None, (MEDIUM, 12), ST_TABS,
               currentIndex=0)
    for i in range(1, 5):
        d = ET.SubElement(t, "widget", {"class": "QWidget", "name": "Device%d" % i})
        _record("QWidget", "Device%d" % i)
        a = ET.SubElement(d, "attribute", {"name": "title"})
        ET.SubElement(a, "string").text = "Датчик %d" % i
    build_tar_controls(p, "Adw")


def build_tar_controls(p, kind):
    """Calibration controls in the right column; the tiles and the table (and, on
    the advertising page, the tab contents) are made and placed by the code."""
    adw = kind == "Adw"
    x = 555 if adw else 430
    w = 790 - x
    half = (w - 10) // 2
    sfx = "Adw" if adw else ""
    title(p, "label_TitleTar" + sfx, (x, 100, w, 32), "ТАРИРОВКА", 18)
    caption(p, "label_StepTarAdw" if adw else "label_StepTar", (x, 142, 64, 30), "Шаг,", 14)
    caption(p, "label_UnitTarAdw" if adw else "label_8", (x + 64, 142, 20, 30), "л", 14)
    lineedit(p, "lineEditStepTar" + sfx, (x + 86, 142, 70, 30), "5", maxLength=6)
    if adw:
        combo(p, "comboBoxZalivSlivAdw", (x, 182, w, 30), ("Заливом", "Сливом"))
        y = 228
        button(p, "pushButtonStartTarAdw", (x, y, w, 36), "Начать")
        button(p, "pushButtonAdPortionAdw", (x, y + 46, w, 36), "Добавить порцию", visible=False)
        button(p, "pushButtonDelPortionAdw", (x, y + 92, w, 36), "Удалить порцию", visible=False)
        button(p, "pushButtonRestoreTarAdw", (x, y + 138, w, 36), "Возобновить")
        button(p, "pushButtonEndTarAdw", (x, y + 184, w, 36), "Завершить", visible=False)
        button(p, "pushButtonGraphShowAdw", (x, y + 230, w, 36), "График")
        back_button(p, "pushButtonBackTarirAdw", (x, 504, w, 40))
    else:
        combo(p, "comboBoxZalivSliv", (x + 160, 142, w - 160, 30), ("Заливом", "Сливом"))
        y = 190
        button(p, "pushButtonAdSensorTar", (x, y, half, 36), "Начать")
        button(p, "pushButtonDelSensorTar", (x + half + 10, y, half, 36), "Удалить датчик",
               visible=False)
        button(p, "pushButtonAdPortionTar", (x, y + 46, half, 36), "Добавить порцию",
               visible=False)
        button(p, "pushButtonDelPortionTar", (x + half + 10, y + 46, half, 36), "Удалить порцию",
               visible=False)
        button(p, "pushButtonRestoreTar", (x, y + 92, half, 36), "Возобновить")
        button(p, "pushButtonEndTar", (x + half + 10, y + 92, half, 36), "Завершить")
        button(p, "pushButtonGraphShow", (x, y + 138, w, 36), "График")
        caption(p, "label_TempName_2", (x, 382, 150, 28), "Температура", 14)
        value(p, "label_TempVal_2", (x + 160, 382, w - 160, 28), "--", 16)
        # litres / gallons: the code puts the toggle switch at (x + 100, 426), 40 x 24
        caption(p, "label_LitrTar", (x, 424, 90, 28), "Литры", 14, RIGHT_V)
        caption(p, "label_GallonTar", (x + 150, 424, 120, 28), "Галлоны", 14)
        back_button(p, "pushButtonBackTarir", (x, 490, w, 40))


def build_aq420(stack):
    p = page(stack, "AQ420")
    panel(p, "label_FonAQ420")
    # machine picture and master/slave animation (left)
    widget(p, "QLabel", "label_PicAQ420", (36, 135, 240, 180), "", None,
           image_label_style("kamazMid.png", border_image=True))
    widget(p, "QLabel", "label_AQ420_MS", (36, 322, 120, 40), "", None, ST_PLAIN, CENTER)
    # the needle gauge (ScaleAQ420, 200 x 200, made by the code) goes to (290, 130)
    caption(p, "label_AngleNameAQ420", (290, 334, 100, 28), "Угол,град.", 12)
    value(p, "label_AngleValAQ420", (390, 334, 100, 28), "--", 16)
    value(p, "label_FreqAQ420", (390, 364, 100, 26), "--", 13)

    # settings (right)
    title(p, "label_SettingsAQ420", (496, 135, 268, 28), "Установки", 15)
    rows = [
        ("label_UpAQ420", "Верх", "lineEditAQ420Up", "label_Alarm_1AQ420"),
        ("label_DownAQ420", "Низ", "lineEditAQ420Down", "label_Alarm_2AQ420"),
        ("label_DelayOnAQ420", "Задержка вкл.", "lineEditAQ420DelayOn", "label_Alarm_4AQ420"),
        ("label_DelayOffAQ420", "Задержка выкл.", "lineEditAQ420DelayOff", "label_Alarm_3AQ420"),
        ("label_NetNumAQ420", "Сетевой адрес", "lineEdit_NetNumAQ420", "label_Alarm_5AQ420"),
    ]
    for i, (cap, text, field, alarm) in enumerate(rows):
        y = 170 + i * 38
        caption(p, cap, (496, y, 154, 30), text, 12)
        lineedit(p, field, (650, y, 85, 30), "", maxLength=3)
        mark(p, alarm, (740, y + 3, 24, 24))
    caption(p, "label_ReqNetNumAQ420", (496, 364, 154, 28), "Опросить сет. адрес", 10)
    combo(p, "comboBox_NetNumAQ420", (650, 364, 85, 28))
    caption(p, "label_ListDevNameAQ420", (496, 398, 154, 28), "Устройства в сети", 10)
    value(p, "label_ListDevAQ420", (650, 398, 114, 28), "--", 13)

    # modes: the code puts each toggle switch (40 x 24) right of its caption,
    # at x = caption x + 105, y = caption y + 2
    title(p, "label_ModeAQ420", (36, 370, 200, 28), "Режим", 15)
    modes = [("label_Mode1AQ420", "Режим 1"), ("label_Mode2AQ420", "Режим 2"),
             ("label_Mode3AQ420", "Режим 3"), ("label_ModeOtvalAQ420", "Отвал"),
             ("label_ModeKovshAQ420", "Ковш"), ("label_ModeMasterAQ420", "Мастер")]
    for i, (name, text) in enumerate(modes):
        col, row = divmod(i, 3)
        caption(p, name, (36 + col * 170, 402 + row * 32, 100, 28), text, 13, style=ST_VALUE)

    button(p, "buttonSetNullAQ420", (444, 464, 160, 40), "Установка нуля", 12)
    picture_button(p, "ButtonWriteParamAQ420", (614, 464, 150, 40), "write_param.png",
                   red=True, hover=True)


def build_tarirovka(stack):
    p = page(stack, "Tarirovka")
    # the caption tile, the sensor tiles (from y 80) and the table view (from y 179)
    # are made and placed by the code in x 10..400
    build_tar_controls(p, "Tar")


def build_wired_tag(stack):
    p = page(stack, "WiredTag")
    title(p, "label_TitleWT", (40, 104, 500, 30), "СЧИТЫВАТЕЛЬ МЕТОК", 16)
    cap_x, field_x, btn_x, pix_x = 40, 290, 540, 700
    # mode
    caption(p, "label_SetModeWT", (cap_x, 150, 240, 32), "Установка режима", 14, style=ST_VALUE)
    combo(p, "comboBoxModeWT", (field_x, 150, 230, 32), ("Режим Считыватель", "Режим Метка"))
    button(p, "pushButtonSetModeWT", (btn_x, 150, 150, 32), "Установить", 12, ST_BUTTON_RED)
    mark(p, "label_PixSetModeWT", (pix_x, 154, 24, 24), image_label_style("bird.png"))
    # serial number
    caption(p, "label_SetSerWT", (cap_x, 200, 240, 32), "Установить сер номер", 14, style=ST_VALUE)
    lineedit(p, "lineEditSetSerNumWT", (field_x, 200, 230, 32), "", maxLength=10)
    button(p, "pushButton_SetSerWT", (btn_x, 200, 150, 32), "Установить", 12, ST_BUTTON_RED)
    mark(p, "label_PixSetSerNumWT", (pix_x, 204, 24, 24), image_label_style("bird.png"))
    # tag identifier
    caption(p, "labelReadIDWT", (cap_x, 250, 240, 32), "ID метки", 14, style=ST_VALUE)
    lineedit(p, "lineEditSETIDWT", (field_x, 250, 230, 32), "", maxLength=10)
    button(p, "pushButtonSetIDWT", (btn_x, 250, 150, 32), "Установить", 12, ST_BUTTON_RED)
    mark(p, "label_PixSetIDWT", (pix_x, 254, 24, 24), image_label_style("bird.png"))
    widget(p, "QCheckBox", "checkBoxInputFormatWT", (field_x, 290, 230, 28), "Десятичный формат",
           (LIGHT, 12), ST_CHECK, cursor=HAND)
    button(p, "pushButtonReadIDWT", (btn_x, 290, 150, 32), "Считать", 12, ST_BUTTON_RED)
    # network address
    caption(p, "label_SetNetNumWT", (cap_x, 346, 240, 32), "Сменить сет.номер", 14, style=ST_VALUE)
    lineedit(p, "lineEditSetNetNumWT", (field_x, 346, 230, 32), "", maxLength=3)
    button(p, "pushBtnSetNetNumWT", (btn_x, 346, 150, 32), "Установить", 12, ST_BUTTON_RED)
    mark(p, "label_PixSetNetNumWT", (pix_x, 350, 24, 24), image_label_style("bird.png"))
    # information
    caption(p, "label_SerNumWT", (cap_x, 420, 240, 28), "Серийный номер:", 13, style=ST_VALUE)
    value(p, "label_ValSerNumWT", (field_x, 420, 230, 28), "--", 14)
    caption(p, "label_NameFW_WT", (cap_x, 452, 240, 28), "Версия ПО:", 13, style=ST_VALUE)
    value(p, "label_ValFW_WT", (field_x, 452, 230, 28), "--", 14)
    # with several readers on the line: the one shown and set
    caption(p, "label_ReqNetNumWT", (cap_x, 484, 240, 28), "Опросить адрес", 13, style=ST_VALUE)
    combo(p, "comboBox_NetNumWT", (field_x, 484, 90, 28))


def build_remote_control(stack):
    p = page(stack, "RemoteControl")
    title(p, "label_TitleRC", (40, 104, 720, 32), "ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ", 18)
    # the command list is as wide as the longest command needs
    caption(p, "label_CmdRC", (40, 150, 150, 30), "Команда", 14)
    combo(p, "comboBoxRemoteControl", (200, 150, 560, 30))
    caption(p, "label_1RC", (40, 194, 335, 30), "Удаленнный сетевой номер", 14)
    lineedit(p, "lineEditNetNumRemoteControl", (380, 194, 120, 30), "1", maxLength=3)
    caption(p, "label_2RC", (40, 238, 335, 30), "Введите числовой пароль", 14)
    lineedit(p, "lineEditPassRemoteControl", (380, 238, 200, 30), "", maxLength=10)
    caption(p, "label_3RC", (40, 282, 335, 30), "Выберете уровень фильтрации", 13)
    combo(p, "comboBoxFiltrRemoteControl", (380, 282, 250, 30))
    caption(p, "label_4RC", (40, 326, 335, 30), "Выберете режим", 14)
    combo(p, "comboBoxModeRemoteControl", (380, 326, 250, 30))
    caption(p, "label_HintRC", (40, 372, 720, 26), "Скопируйте строку и вставьте её в файл для отправки", 12)
    lineedit(p, "lineEditGenRemoteControl", (40, 400, 720, 34), "", 13, LEFT_V)
    button(p, "pushButtonGenRemoteControl", (40, 450, 200, 40), "Сгенерировать", 13, ST_BUTTON_RED)
    button(p, "pushButtonReadRC", (250, 450, 220, 40), "Расшифровать ответ", 13)
    back_button(p, "pushBtnBackRemoteControl", (610, 500, 150, 40))


def build_engineer_dut(stack):
    p = page(stack, "EngineerMenuDUT")
    title(p, "label_TitleEngDUT", (20, 100, 500, 32), "ИНЖЕНЕРНЫЕ НАСТРОЙКИ", 18)
    groups = [
        ("groupBoxInv", "horizontalLayout_5", "label_InvIndicator", "Инверсия индикатора"),
        ("groupBoxAngle", "horizontalLayout_4", "label_ModeAngle", "Режим передачи угла наклона"),
        ("groupBox_Master", "horizontalLayout_2", "label_ModeMaster", "Режим Master"),
        ("groupBox_DelTermo", "horizontalLayout_3", "label_DelTermoComp", "Отключить термокомпенсацию"),
        ("groupBox_EkoDrive", "horizontalLayout_6", "label_EcoDriv", "Экодрайвинг"),
        ("groupBoxSetOutSer", "horizontalLayoutSetOutSer", "labelSetOutSer", "Передавать cерийный номер"),
    ]
    for i, (box, lay, lab, text) in enumerate(groups):
        switch_group(p, box, lay, lab, text, (20, 142 + i * 50, 466, 42))

    g = widget(p, "QGroupBox", "groupBoxLamp", (20, 446, 466, 72), "Порог срабатывания лампы",
               (LIGHT, 12), ST_GROUP_TITLED)
    lineedit(g, "lineEdit_Lamp", (14, 28, 80, 30), "", maxLength=3)
    widget(g, "QLabel", "label_PercentLamp", (100, 28, 24, 30), "%", (MEDIUM, 14), ST_VALUE, LEFT_V)
    button(g, "pushButtonSetPercent", (290, 26, 146, 34), "  Установить  ", 12, ST_BUTTON_RED)

    button(p, "pushBtnManualInput", (490, 142, 290, 44), "Ручной ввод Полный/Пустой", 12)
    button(p, "pushBtnCalibHorizState", (490, 198, 290, 78), "Калибровать \n горизонтальное\nположение", 12)
    button(p, "pushBtnCalcLtrPrc", (490, 288, 290, 44), "Пересчитать в литры / %", 12)
    caption(p, "label_NameCurrent", (490, 350, 80, 30), "CNT=", 16, style=ST_VALUE)
    value(p, "label_ValCurrent", (570, 350, 210, 30), "--", 16)
    back_button(p, "pushBtnEngineerBack", (630, 500, 150, 40))


def build_engineer_ble(stack):
    p = page(stack, "EnineerMenuBLE")
    title(p, "label_TitleEngBLE", (20, 100, 500, 32), "ИНЖЕНЕРНЫЕ НАСТРОЙКИ", 18)
    # the code lays out the caption and its switch (spacing 182) itself
    g = widget(p, "QGroupBox", "groupBox_DelTermoBLE", (20, 142, 660, 44), "", None, ST_GROUP_SWITCH)
    expanding(widget(g, "QLabel", "label_DelTermoCompBLE", (12, 4, 410, 36),
                     "Отключить термокомпенсацию", (LIGHT, 16),
                     "QLabel {color:white;font-size:16pt;}", LEFT_V))

    # lamp threshold of the base: no command of its own yet, so the box starts disabled
    g = widget(p, "QGroupBox", "groupBoxLamp_BLE", (20, 204, 370, 72), "Порог срабатывания лампы",
               (LIGHT, 12), ST_GROUP_TITLED, enabled=False)
    lineedit(g, "lineEdit_LampBLE", (14, 28, 80, 30), "", maxLength=3)
    widget(g, "QLabel", "label_PercentLampBLE", (100, 28, 24, 30), "%", (MEDIUM, 14), ST_VALUE, LEFT_V)

    g = widget(p, "QGroupBox", "groupBoxNetNumBaseBLE", (410, 204, 370, 72), "Сетевой адрес базы",
               (LIGHT, 12), ST_GROUP_TITLED)
    lineedit(g, "lineEdit_NetNumBaseBLE", (14, 28, 80, 30), "", maxLength=3)
    button(g, "pushBtnChgNetNumBase", (210, 26, 146, 34), "Изменить", 12, ST_BUTTON_RED)

    button(p, "pushBtnManualInputBLE", (20, 294, 370, 44), "Ручной ввод Полный/Пустой", 12)
    button(p, "pushBtnChangeBaseLinkIDBLE", (410, 294, 370, 44), "Изменить S/N базы", 12)
    caption(p, "label_NameCurrentBLE", (20, 356, 80, 30), "CNT=", 16, style=ST_VALUE)
    value(p, "label_ValCurrentBLE", (100, 356, 200, 30), "--", 16)
    back_button(p, "pushBtnEngineerBackBLE", (630, 500, 150, 40))


def build_update_ble(stack):
    p = page(stack, "UpdateFWBLE")
    title(p, "label_TitleUpdBLE", (20, 100, 600, 32), "ОБНОВЛЕНИЕ ПРОШИВКИ", 18)
    button(p, "pushBtnInUpdBase", (20, 150, 300, 44), "Обновить прошивку базы", 13)
    button(p, "pushBtnInUpdBLE", (340, 150, 300, 44), "Обновить прошивку датчика", 13)
    widget(p, "QLabel", "labelMsgUpdBLE", (20, 214, 620, 200), "", (LIGHT, 14), ST_VALUE,
           "Qt::AlignLeading|Qt::AlignLeft|Qt::AlignTop", wordWrap=True)
    widget(p, "QLabel", "labelTimerUpdFwBLE", (660, 214, 120, 80), "30", (MEDIUM, 40),
           "QLabel {color : #DDB306;}", CENTER, visible=False)
    back_button(p, "pushBtnUpdateFWBackBLE", (630, 500, 150, 40))


def build_form():
    ui = ET.Element("ui", {"version": "4.0"})
    ET.SubElement(ui, "class").text = "Configurator"
    mw = ET.SubElement(ui, "widget", {"class": "QMainWindow", "name": "Configurator"})
    _record("QMainWindow", "Configurator")
    _prop(mw, "geometry", "rect", {"x": 0, "y": 0, "width": 800, "height": 600})
    _prop(mw, "minimumSize", "size", {"width": 800, "height": 600})
    _prop(mw, "maximumSize", "size", {"width": 800, "height": 600})
    _prop(mw, "font", "font", {"family": MEDIUM, "pointsize": 12})
    _string(mw, "windowTitle", "Волмар Конфигуратор")
    central = widget(mw, "QWidget", "centralwidget")
    stack = widget(central, "QStackedWidget", "stackedWidget", (0, 0, 800, 600), None, None,
                   "QStackedWidget {background-color: transparent;}", currentIndex=0)
    build_dut(stack)
    build_ble(stack)
    build_adw(stack)
    build_aq420(stack)
    build_tarirovka(stack)
    build_wired_tag(stack)
    build_remote_control(stack)
    build_engineer_dut(stack)
    build_engineer_ble(stack)
    build_update_ble(stack)
    page(stack, "ForTest")
    page(stack, "GraphTar")     # the calibration graph; its content is made by the code
    ET.SubElement(ui, "connections")
    return ui


def main():
    ui = build_form()
    ET.indent(ui, space=" ")
    body = ET.tostring(ui, encoding="unicode")
    with open(UI_PATH, "w", encoding="utf-8", newline="\n") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write(body)
        f.write("\n")
    seen = set()
    for _, _, name in NAMES:
        if name in seen:
            sys.exit("duplicate object name: " + name)
        seen.add(name)
    with open(NAMES_PATH, "w", encoding="utf-8", newline="\n") as f:
        for pg, cls, name in NAMES:
            f.write("%s\t%s\t%s\n" % (pg, cls, name))
    print("wrote %s (%d objects) and %s" % (UI_PATH, len(NAMES), NAMES_PATH))


if __name__ == "__main__":
    main()
