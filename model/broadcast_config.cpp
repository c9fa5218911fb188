#include "model/broadcast_config.h"

BroadcastConfig DefaultBroadcastConfig()
{
    BroadcastConfig config = {};
    config.Ena = 0;
    config.Vol = 5;
    config.PauseDays = 7;
    config.PlayDaysA = 28;
    config.PlayDaysB = 28;
    config.TimerMod = 1;
    config.SenMod = 1;
    config.Dly = 5;
    config.AlarmA = 0;
    config.AlarmB = 0;
    config.TMLPen = 0;
    config.ShotHour = 1;
    config.ShotMin = 0;
    config.ShotSec = 0;
    return config;
}
