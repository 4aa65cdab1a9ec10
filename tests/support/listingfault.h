#pragma once
// While one of these lives, listings of `folder` fail with the system error `code` once
// they have read `after` entries: a failing disk or share, half way through a folder.

#include "records/readingfile.h"

#include <QString>
#include <cstddef>

namespace qeltest {

class ListingFault {
public:
    ListingFault(const QString &folder, std::size_t after, int code)
    {
        m_previous = qel::setListingFaultInjector([folder, after, code](const QString &listed, std::size_t read) {
            return listed == folder && read >= after ? code : 0;
        });
    }
    ~ListingFault() { qel::setListingFaultInjector(m_previous); }
    ListingFault(const ListingFault &) = delete;
    ListingFault &operator=(const ListingFault &) = delete;

private:
    qel::ListingFaultInjector m_previous;
};

} // namespace qeltest
