#include "comm/Linksettings.h"

#include "app/Context.h"

S_LinkSettings LinkSettingsFromContext(const C_Context& context)
{
    S_LinkSettings link;
    link.m_Port = static_cast<std::int16_t>(context.ComNumber());
    link.m_ReceiveTimeout = static_cast<std::int16_t>(context.ReceiveTimeout());
    link.m_SendTimeout = static_cast<std::int16_t>(context.SendTimeout());
    return link;
}
