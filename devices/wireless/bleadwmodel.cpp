#include "bleadwmodel.h"

BLEAdwModel::BLEAdwModel() : QWidget(nullptr) {}

void BLEAdwModel::setParamDevice(const AdwRecord &record)
{
    m_hasRecord = true;
    if (record.isSignalLost()) {
        m_record.address = record.address;
        setParamNull();
        return;
    }
    m_record = record;
    m_linked = record.isLinkedSensor();
    if (m_linked)
        m_enabled = true;
    m_name = record.name;
    m_nameString = record.nameText();
    if (record.isConnected()) {
        m_connected = true;
        m_enabled = true;
    } else {
        m_connected = false;
        clearNames();
    }
    m_scaleMaximum = record.scaleMaximum();
    m_filter = record.hasFilter();
}

void BLEAdwModel::setParamNull()
{
    AdwRecord lost = m_record;
    lost.rssi = 0;
    m_record = AdwRules::emptiedIfLost(lost);
    m_connected = m_enabled = m_dop = m_linked = m_filter = false;
}

void BLEAdwModel::clearNames()
{
    m_name = Name{};
    m_nameForConnect = Name{};
    m_nameString.clear();
}

void BLEAdwModel::resetFlConnectedDevice()
{
    m_connected = false;
    clearNames();
}

void BLEAdwModel::setFlConnectedDevice(bool connected)
{
    m_connected = connected;
    if (!connected)
        clearNames();
}

void BLEAdwModel::sendSignalEnableDevice()
{
    m_enabled = m_linked || !m_enabled;
}

void BLEAdwModel::sendSignalEnableDopParam()
{
    m_dop = !m_dop;
    if (m_linked)
        m_enabled = true;
}

void BLEAdwModel::setEnableFlagDopParam(bool on)
{
    m_dop = on;
}

void BLEAdwModel::setNameChar(const QString &text)
{
    m_name = AdwRules::nameForConnect(text);
}

void BLEAdwModel::setNameCharForConnect(const QString &text)
{
    m_nameForConnect = AdwRules::nameForConnect(text);
}
