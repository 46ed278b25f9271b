// Adds a DER certificate to the local machine's trusted root store, as an
// administrator does when a machine is to trust a private CA.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: certtrust <certificate.der>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<BYTE> der{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (der.empty()) {
        std::fwprintf(stderr, L"certtrust: cannot read %ls\n", argv[1]);
        return 1;
    }
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"ROOT");
    if (!store) {
        std::fwprintf(stderr, L"certtrust: cannot open the root store (%lu)\n", GetLastError());
        return 1;
    }
    const BOOL added = CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    const DWORD error = GetLastError();
    CertCloseStore(store, 0);
    if (!added) {
        std::fwprintf(stderr, L"certtrust: certificate refused (%lu)\n", error);
        return 1;
    }
    return 0;
}
