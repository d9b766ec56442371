#pragma once
// The product's page on its maker's web site: the factory's vendor address and
// the page the editor's title opens.

constexpr char kProductWebPage[] = "https://www.orvanti.com/products/stereopulseweaver";
