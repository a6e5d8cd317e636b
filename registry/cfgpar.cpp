// The registry lists: append at the tail and removal in constant time.
#include "registry/cfgpar.h"
#include "registry/registrylog.h"

namespace {

struct CfgList
{
    CfgPar *head = nullptr;
    CfgPar **tail = &head; // the next field of the last element, or head when empty
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
}

CfgPar *CfgPar::find(int list, quint32 uid)
{
    for (CfgPar *p = s_lists[list & 3].head; p; p = p->m_next)
        if (p->m_uid == uid)
            return p;
    return nullptr;
}

CfgPar *CfgPar::create(quint32 uid)
{
    if (CfgPar *p = find(Uid::list(uid), uid)) {
        qCDebug(lcRegistry, "CfgPar UID %x already exsist.", uid);
        return p;
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

int CfgPar::count(int list)
{
    int n = 0;
    for (CfgPar *p = head(list); p; p = p->m_next)
        ++n;
    return n;
}

void CfgPar::destroyAll()
{
    for (CfgList &l : s_lists)
        while (l.head)
            delete l.head;
}
