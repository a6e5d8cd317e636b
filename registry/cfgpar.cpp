// The registry lists: append at the tail, look-up by UID and removal in constant time.
#include "registry/cfgpar.h"
#include "registry/registrylog.h"
#include <QHash>

namespace {

struct CfgList
{
    CfgPar *head = nullptr;
    CfgPar **tail = &head; // the next field of the last element, or head when empty
    QHash<quint32, CfgPar *> byUid; // the first parameter of each UID
    int count = 0;
};

CfgList s_lists[Uid::ListCount];

} // namespace

CfgPar::~CfgPar()
{
    if (!m_link)
        return;
    CfgList &l = s_lists[Uid::list(m_uid)];
    *m_link = m_next;
    if (m_next)
        m_next->m_link = m_link;
    else
        l.tail = m_link;
    m_link = nullptr;
    m_next = nullptr;
    --l.count;
    if (l.byUid.value(m_uid) == this) {
        l.byUid.remove(m_uid);
        // A second parameter of the same UID (attached by hand, never by create) takes its place.
        for (CfgPar *p = l.head; p; p = p->m_next)
            if (p->m_uid == m_uid) {
                l.byUid.insert(m_uid, p);
                break;
            }
    }
}

void CfgPar::attach(quint32 uid)
{
    if (m_uid != 0)
        qFatal("CfgPar::reused %x %x", m_uid, uid);
    CfgList &l = s_lists[Uid::list(uid)];
    m_uid = uid;
    m_next = nullptr;
    m_link = l.tail;
    *l.tail = this;
    l.tail = &m_next;
    ++l.count;
    if (!l.byUid.contains(uid))
        l.byUid.insert(uid, this);
}

CfgPar *CfgPar::find(int list, quint32 uid)
{
    return s_lists[list & 3].byUid.value(uid);
}

CfgPar *CfgPar::create(quint32 uid)
{
    if (CfgPar *p = find(Uid::list(uid), uid)) {
        qCDebug(lcRegistry, "CfgPar UID %x already exsist.", uid);
        return p;
    }
    if (count(Uid::list(uid)) >= MaxRegistered) {
        qCDebug(lcRegistry, "List %d holds %d parameters: UID %x refused", Uid::list(uid), MaxRegistered, uid);
        return nullptr;
    }
    std::unique_ptr<CfgPar> p = makeDetached(Uid::typeCode(uid));
    if (!p) {
        qCDebug(lcRegistry, "Cannot create UID %x. Loading corrupted.", uid);
        return nullptr;
    }
    p->attach(uid);
    return p.release();
}

CfgPar *CfgPar::head(int list) { return s_lists[list & 3].head; }

int CfgPar::count(int list) { return s_lists[list & 3].count; }

void CfgPar::destroyAll()
{
    for (CfgList &l : s_lists)
        while (l.head)
            delete l.head;
}
