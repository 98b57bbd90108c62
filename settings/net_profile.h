// Language/Net.xml: the company line and web link of the settings page's
// footer.
//
//   <Profile>
//     <English> <CompanyName/> <CompanyWebcn/> <CompanyWeben/> </English>
//     <Chinese> ... </Chinese>
//     <Web> ... </Web>
//   </Profile>
//
// Only the element of the chosen language ("Chinese" for languages 1 and 2,
// else "English") and "Web" are read, in document order, so a later element
// replaces what an earlier one gave. CompanyWebcn is the link for languages
// 1 and 2, CompanyWeben for 0, 3 and 4; other languages take no link.
#ifndef NET_PROFILE_H
#define NET_PROFILE_H

#include <QString>

class QIODevice;
class QXmlStreamReader;

class NetProfile {
public:
    struct Texts {
        bool hasCompany = false;
        QString company;
        bool hasLink = false;
        QString link;
        QString error; // "Not a labels file" for another root; empty when read to the end
    };

    // <program>/Language/Net.xml
    static QString Path();

    // Reads an open device; nothing is taken from a file whose root is not
    // "Profile".
    static Texts Read(QIODevice* device, int language);

private:
    static void ReadProfile(QXmlStreamReader& reader, int language, Texts& texts);
    static void ReadEntry(QXmlStreamReader& reader, int language, Texts& texts);
};

#endif // NET_PROFILE_H
