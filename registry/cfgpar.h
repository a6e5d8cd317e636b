// A typed parameter of a board that describes its own configuration, and the process-wide
// registry of four lists (by UID bits 31-30) that holds every such parameter.
#pragma once
#include "registry/uid.h"
#include <memory>

class CfgStream;

class CfgPar
{
public:
    // Leaves its registry list (constant time); an object never attached changes nothing.
    virtual ~CfgPar();
    CfgPar(const CfgPar &) = delete;
    CfgPar &operator=(const CfgPar &) = delete;

    // Full description (limits where the kind has them, then the value) and value only.
    // Reads never fail by exception: a short or corrupt input sets the stream's error flag,
    // and a read that fails leaves the object exactly as it was.
    virtual void writeDesc(CfgStream &s) const = 0;
    virtual void readDesc(CfgStream &s) = 0;
    virtual void skipDesc(CfgStream &s) = 0;
    virtual void skipValue(CfgStream &s) = 0;
    virtual void writeValue(CfgStream &s) const = 0;
    virtual void readValue(CfgStream &s) = 0;

    quint32 uid() const { return m_uid; }
    CfgPar *next() const { return m_next; }

    // Gives a new object its UID and appends it to its list. A second attach is a
    // programming error and stops the program ("CfgPar::reused %x %x").
    void attach(quint32 uid);

    // First parameter of the list (0-3) with this UID, or null; constant time.
    static CfgPar *find(int list, quint32 uid);
    // Finds the parameter for uid or makes and attaches one of its kind; null for an
    // unknown type code ("Cannot create UID %x. Loading corrupted.") and for a list that
    // already holds MaxRegistered parameters.
    static CfgPar *create(quint32 uid);
    // A detached object of the kind of this type code (never in a list), or null.
    static std::unique_ptr<CfgPar> makeDetached(quint8 typeCode);
    // True for the eight type codes the factory knows.
    static bool knownType(quint8 typeCode);

    static CfgPar *head(int list);
    // Constant time.
    static int count(int list);

    // Parameters one description may bring to one list: a real board describes tens. A larger
    // description is refused before any of it reaches the registry.
    static constexpr int MaxPerList = 1024;
    // What a list may hold in all, boards described one after another included.
    static constexpr int MaxRegistered = 4 * MaxPerList;
    // Deletes every parameter of every list. Parameters live until the program ends; this
    // is for tests and tools that need a fresh registry.
    static void destroyAll();

protected:
    CfgPar() = default;

private:
    quint32 m_uid = 0;
    CfgPar *m_next = nullptr;
    // Address of the pointer that points at this object (a list head or the previous
    // object's next); null while not in a list.
    CfgPar **m_link = nullptr;
};
