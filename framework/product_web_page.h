#pragma once
// The product's page on its maker's web site, as host and path: the factory
// publishes it so; the editor's title opens it over https.

constexpr char kProductWebAddress[] = "www.orvanti.com/products/stereopulseweaver";
