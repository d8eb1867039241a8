#include "app/StatusIndicators.h"

#include "engine/CalcEngine.h"

CString AngleModeIndicator(int angleMode)
{
    return angleMode == AngleDegrees ? "DEG" : angleMode == AngleRadians ? "RAD" : "GRAD";
}

CString NumberBaseIndicator(int base)
{
    switch (base) {
    case 10:
        return "DEC";
    case 16:
        return "HEX";
    case 8:
        return "OCT";
    case 2:
        return "BIN";
    default: {
        CString text;
        text.Format("B-%d", base);
        return text;
    }
    }
}
