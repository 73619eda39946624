#pragma once

#include "settings/security.h"

#include <QString>

#include <optional>

// Wall-clock date and time as the camera keeps it.
struct ClockValue
{
    int year = 2021; // full year; the image keeps year % 100
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const ClockValue &, const ClockValue &) = default;
};

struct TimeOfDay
{
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const TimeOfDay &, const TimeOfDay &) = default;
};

// Everything one settings image carries. Members are named after the window
// control they come from; an index of -1 means "no item selected".
struct ParameterValues
{
    // MENU: camera, video, setup
    int modecmb = 0;
    int rslcmb = 0;
    int intvcmb = 0;
    int mtcmb = 0;
    int isocmb = 0;
    QString idedit;
    int rslvcmb = 0;
    int vdlcmb = 0;
    int vccmb = 0;
    int dtfmtcmb = 0;
    int motcmb = 0;
    int langcmb = 0;
    int tvcmb = 0;
    int passcmb = 0;
    QString passedit;

    // Not read back from an image: left empty by ReadParameterData.
    std::optional<ClockValue> clock;
    TimeOfDay timerStart;
    TimeOfDay timerEnd;

    // MMS
    int ComboBox1 = 0;  // MMS ON/OFF
    int ComboBox2 = 0;  // MMS MODE
    QString ComboBox3;  // country
    QString ComboBox4;  // operator
    QString apn;
    QString username;
    QString password;
    QString mmsc;
    QString proxy;
    QString port;
    QString phone1;
    QString phone2;
    QString phone3;
    QString phone4;
    QString email1;
    QString email2;
    QString email3;
    QString email4;

    // SMTP
    int ComboBox5 = 0;  // SMTP ON/OFF
    int ComboBox6 = 0;  // SMTP MODE
    QString ComboBox7;  // country
    QString ComboBox8;  // operator
    QString smtpapn;
    QString smtpusername;
    QString smtppassword;
    int ComboBox9 = 0;  // mail server
    Security security = Security::NoSsl;
    QString servertxt;
    QString porttxt;
    QString usernametxt;
    QString passwordtxt;
    QString email1txt;
    QString email2txt;
    QString email3txt;

    // FTP
    int ComboBox10 = 0; // FTP ON/OFF
    QString ftpserver;
    QString ftpport;
    QString ftpaccount;
    QString ftppass;
    QString path;
    QString ComboBox12; // country
    QString ComboBox13; // operator
    QString ftpapn;
    QString ftpusername;
    QString ftppassword;

    friend bool operator==(const ParameterValues &, const ParameterValues &) = default;
};
